#pragma once
// The survey as one self-contained HTML page: the matrix coloured by
// status, sortable and filterable in the page itself, the counts per variant
// and, for each differing cell, the settings side by side with the
// differing fields marked. No network, no external script or style sheet.

#include <string>

#include "compare/survey.h"

namespace quillset::compare {

// What was surveyed, for the page's heading: file names as the system gives
// them, the other texts as the caller words them.
struct SurveyHeading {
    std::string standard;
    std::string categories;
    std::string selection;
};

std::string SurveyHtml(const Survey& survey, const SurveyHeading& heading);

// `bytes` of single-byte text as UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);
// A file name for a UTF-8 document: kept when it is UTF-8 already, else read
// as single-byte text.
std::string NameToUtf8(std::string_view name);

}  // namespace quillset::compare
