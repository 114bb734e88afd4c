#include "app/compare_commands.h"

namespace quillset::app {

compare::CompareOutcome RunComparison(Session& session, Host& host, const std::string& sourceName,
                                      const std::string& testName) {
    return compare::RunComparison(session.comparison, session.selection, session.source, host, sourceName,
                                  testName);
}

compare::ResetMode RunUpdate(Session& session, compare::ResetMode mode, bool appendAll,
                             compare::BlockPreviewer& previewer) {
    session.outputKind = 0;
    return compare::RunUpdate(session.comparison, session.source, session.output, mode, appendAll, previewer);
}

}  // namespace quillset::app
