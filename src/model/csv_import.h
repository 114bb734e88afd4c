#pragma once
// Reading a spreadsheet (.csv) source back into INI text: the rows of the
// CSV export, possibly edited and saved again by a spreadsheet, become
// feature style and named symbology blocks. Other rows are discarded.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace quillset::model {

// The row without its first type tag ("<Line  >", "<Text  >", "<Point >",
// "<Symbol>", tried in that order) and its first location tag ("<Default>",
// "<Plan   >", "<Profile>", "<Xsec   >"), each with the character after it.
std::string StripRowTags(std::string_view row);

// The row as it is to be imported: unchanged, with its level cell replaced
// by "63" after the user's OK, or empty when it is not imported (empty use
// mark, or a "Bad Line = " reported). nullopt when the user cancelled at
// the level question: the import stops.
std::optional<std::string> CheckLevelNumber(std::string_view row, Host& host);

// The cleaned rows of a .csv file, two empty rows added, in stable
// case-insensitive order; nullopt when the user cancelled. A file whose
// first line begins with a double quote was saved with quoted cells: those
// are unquoted first.
std::optional<std::vector<std::string>> ReadSpreadsheetSource(std::span<const std::string_view> lines,
                                                              Host& host);

// One INI line of a symbology row: the key cell with its value cells
// ("000DefaultLineSymbology=Walls,12,3"); empty when the row holds no key.
std::string SymbologyRowToLine(std::string_view row);

// The INI lines of the sorted rows, with empty lines between blocks. Feature
// flag cells that are empty, not a number or out of range are read as "0"
// and reported in one message.
std::vector<std::string> ConvertSpreadsheetRows(const std::vector<std::string>& rows, Host& host);

// What the conversion file holds for a .csv file (blank lines collapsed, no
// leading blank line); nullopt when the user cancelled.
std::optional<std::vector<std::string>> ConvertSpreadsheet(std::span<const std::string_view> lines,
                                                           Host& host);

}  // namespace quillset::model
