#include "app/compare_commands.h"

#include <optional>

namespace quillset::app {

compare::CompareOutcome RunComparison(Session& session, Host& host, const std::string& sourceName,
                                      const std::string& testName) {
    return compare::RunComparison(session.comparison, session.selection, session.source, host, sourceName,
                                  testName);
}

compare::ResetMode RunUpdate(Session& session, compare::ResetMode mode, bool appendAll,
                             compare::BlockPreviewer& previewer, Host* host) {
    // While the user answers previews a progress window would be in the way.
    std::optional<ProgressMeter> meter;
    if (host && mode != compare::ResetMode::Preview)
        meter.emplace(*host, "Creating the updated file", session.comparison.rows.size());
    const compare::ResetMode after = compare::RunUpdate(session.comparison, session.source, session.output, mode,
                                                        appendAll, previewer, meter ? &*meter : nullptr);
    session.outputKind = 0;
    return after;
}

}  // namespace quillset::app
