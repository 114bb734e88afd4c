#include "app/compare_commands.h"

#include <optional>

#include "compare/survey_report.h"
#include "platform/progress.h"

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

std::optional<compare::Survey> SurveyVariants(Session& session, Host& host, const std::string& sourcePath,
                                              const std::vector<std::string>& variants) {
    if (!selection::SourceStillThere(host, sourcePath)) return std::nullopt;
    if (session.selection.keywords.selected.empty()) {
        host.Inform(selection::kEmptySelectionMessage);
        return std::nullopt;
    }
    const model::Lines selected =
        selection::SelectedHeadersOf(session.selection, session.source, host, session.source.workingLines);
    ProgressMeter meter(host, "Surveying " + std::to_string(variants.size()) + " variants", variants.size());
    return compare::RunSurvey(session.source, selected, sourcePath, variants, host, &meter);
}

std::optional<std::string> SurveyReport(Session& session, Host& host, const std::string& sourcePath,
                                        const std::vector<std::string>& variants, const std::string& categories) {
    const std::optional<compare::Survey> survey = SurveyVariants(session, host, sourcePath, variants);
    if (!survey) return std::nullopt;
    const std::string selection =
        "the " + std::to_string(session.selection.keywords.selected.size()) + " Selected Keywords";
    return compare::SurveyHtml(*survey, {sourcePath, categories, selection});
}

}  // namespace quillset::app
