#pragma once
// The comparison's commands on the session.

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "compare/survey.h"
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

// compare::RunSurvey of `variants` against the session's source and its
// Selected Keywords, the variants metered. nullopt after a message when the
// source file is missing or nothing is selected; a variant that cannot be
// read is told and left unsurveyed.
std::optional<compare::Survey> SurveyVariants(Session& session, Host& host, const std::string& sourcePath,
                                              const std::vector<std::string>& variants);

// SurveyVariants as one self-contained HTML page (compare::SurveyHtml), the
// categories named as `categories` words.
std::optional<std::string> SurveyReport(Session& session, Host& host, const std::string& sourcePath,
                                        const std::vector<std::string>& variants, const std::string& categories);

}  // namespace quillset::app
