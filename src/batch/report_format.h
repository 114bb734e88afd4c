#pragma once
// The pieces that the comparison's and the survey's text tables and JSON
// share: escaped table cells, the differences of a block by key, and the
// words that say what was compared.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_context.h"
#include "compare/compare.h"

namespace quillset::batch {

// A cell of a TAB-separated table: backslash, TAB, CR, LF and the other
// control characters as escapes ("\\", "\t", "\r", "\n", "\xHH"), so every
// row keeps its columns.
std::string TableCell(std::string_view text);

// The TAB-separated fields after a difference's kind: the key and the
// control and test sides each difference has.
std::string DifferenceCells(const compare::KeyDifference& d);

// {"kind", "key", "control", "test", "controlLine", "testLine"}: `control`
// and `test` are always values, the whole lines of a setting only one side
// has, or whose blanks differ, are under controlLine and testLine.
nlohmann::ordered_json DifferenceJson(const compare::KeyDifference& d);

// "all keywords", "keywords containing "X"" or "keywords A, B".
std::string SelectionWords(const SelectionOptions& selection);

}  // namespace quillset::batch
