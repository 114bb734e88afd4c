#pragma once
// The comparison's commands on the session.

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "compare/update.h"
#include "platform/host.h"

namespace quillset::app {

// compare::RunComparison on the session's comparison, selection and source.
compare::CompareOutcome RunComparison(Session& session, Host& host, const std::string& sourceName,
                                      const std::string& testName);

// compare::RunUpdate into the session's output lines, which then hold INI
// text. With a host, a run that asks no questions shows its progress there
// and can be cancelled (Cancelled passes on; the session is as it was).
compare::ResetMode RunUpdate(Session& session, compare::ResetMode mode, bool appendAll,
                             compare::BlockPreviewer& previewer, Host* host = nullptr);

// The survey of `variants` against the session's source and Selected
// Keywords, as one self-contained HTML page (compare::SurveyHtml), the
// categories named as `categories` words. nullopt after a message when the
// source file is missing or nothing is selected; a variant that cannot be
// read is told and left out of the matrix.
std::optional<std::string> SurveyReport(Session& session, Host& host, const std::string& sourcePath,
                                        const std::vector<std::string>& variants, const std::string& categories);

}  // namespace quillset::app
