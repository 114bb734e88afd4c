#include "model/csv_import.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>

#include "model/definition_blocks.h"
#include "model/prefix_sort.h"

namespace quillset::model {

namespace {

constexpr std::array<std::string_view, 4> kTypeTags = {"<Line  >", "<Text  >", "<Point >", "<Symbol>"};
constexpr std::array<std::string_view, 4> kLocationTags = {"<Default>", "<Plan   >", "<Profile>",
                                                           "<Xsec   >"};

// Feature keys of cells 2 to 16; there is no 006.
constexpr std::array<std::string_view, 15> kFeatureKeys = {
    "000SymbologyName=",
    "001Description=",
    "002DisplayAsLine=",
    "003DisplayAsPoint=",
    "004Annotate=",
    "005DisplayAsLineInProfile=",
    "007AnnotateInProfile=",
    "008DisplayAsPointInXs=",
    "009AnnotateInXs=",
    "010PlanarizeFlag=",
    "011PlanarElevation=",
    "012AttachTag=",
    "013PayItem=",
    "014DisplayAsCrossingPointInProfile=",
    "015DisplayAsProjectedPointInProfile=",
};
// Which of those cells hold text rather than a flag.
constexpr std::array<bool, 15> kTextCell = {true,  true,  false, false, false, false, false, false,
                                            false, false, true,  false, true,  false, false};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The tags are ASCII, and no other byte folds to ASCII, so an ASCII fold finds them.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle) {
    const auto it = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

void RemoveFirstTag(std::string& row, const std::array<std::string_view, 4>& tags) {
    for (const std::string_view tag : tags) {
        const std::size_t at = FindIgnoringCase(row, tag);
        if (at == std::string_view::npos) continue;
        // The separating character after the tag goes too; a tag ending the
        // row has none.
        row.erase(at, std::min(tag.size() + 1, row.size() - at));
        return;
    }
}

// Where the row's header ends: just past its first "]", or, for a row
// without one, at the end of its first cell.
std::size_t HeaderEnd(std::string_view row) {
    const std::size_t bracket = row.find(']');
    if (bracket != std::string_view::npos) return bracket + 1;
    return std::min(row.find(','), row.size());
}

// A number as a spreadsheet writes one: blanks around it, a sign, digits
// with a decimal point, an exponent. Empty text is not a number.
std::optional<double> ParseNumber(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= first || !(std::isdigit(static_cast<unsigned char>(text[first])) || text[first] == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "0" or "1"; nullopt for a cell that is empty, not a number or beyond a
// 16-bit whole number once rounded (halves to even).
std::optional<std::string_view> FlagOf(std::string_view cell) {
    const std::optional<double> value = ParseNumber(cell);
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768 || rounded > 32767) return std::nullopt;
    return rounded == 0 ? "0" : "1";
}

// Where the use mark cell ends: at the "," after it, or the row's end.
std::size_t UseMarkEnd(std::string_view row) {
    const std::size_t header = HeaderEnd(row);
    if (header >= row.size()) return row.size();
    const std::size_t comma = row.find(',', header + 1);
    return comma == std::string_view::npos ? row.size() : comma;
}

// Where a symbology row's key cell starts: its first "0" after the header
// and the use mark (a use mark such as "10", or a header holding a digit,
// is no key); the recognised tags are gone by then and the others hold no
// "0". npos when there is none.
std::size_t KeyCellStart(std::string_view row) { return row.find('0', UseMarkEnd(row)); }

// A cell that is one well-formed quoted field, as a spreadsheet saves a
// cell holding a quote: it opens and closes with a quote and every quote
// inside is doubled. Gives the cell's text, or nullopt to keep the cell.
std::optional<std::string> UnquotedCell(std::string_view cell) {
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"') return std::nullopt;
    const std::string_view inner = cell.substr(1, cell.size() - 2);
    std::string text;
    text.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '"') {
            if (i + 1 >= inner.size() || inner[i + 1] != '"') return std::nullopt;
            ++i;
        }
        text += inner[i];
    }
    return text;
}

// Unquotes, cell by cell, the cells that a spreadsheet's save quoted;
// every other cell stays as it was.
std::string UnquoteCells(std::string_view row) {
    if (row.find('"') == std::string_view::npos) return std::string(row);
    std::string out;
    out.reserve(row.size());
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = row.find(',', start);
        const std::string_view cell =
            row.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (const std::optional<std::string> text = UnquotedCell(cell))
            out += *text;
        else
            out += cell;
        if (comma == std::string_view::npos) break;
        out += ',';
        start = comma + 1;
    }
    return out;
}

// The seventeen lines of a feature row, its header first. The keys whose
// flag cell could not be read are added to `badKeys`.
void FeatureRowToLines(std::string_view row, std::vector<std::string>& out, std::string& badKeys) {
    out.emplace_back();
    out.emplace_back(row.substr(0, HeaderEnd(row)));
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = row.find(',', start);
        cells.push_back(row.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    for (std::size_t i = 0; i < kFeatureKeys.size(); ++i) {
        const std::size_t c = i + 2;
        std::string line(kFeatureKeys[i]);
        if (kTextCell[i]) {
            if (c < cells.size()) line += cells[c];
        } else if (c >= cells.size()) {
            line += '0';  // cells missing at the row's end are zero
        } else if (const auto flag = FlagOf(cells[c])) {
            line += *flag;
        } else {
            line += '0';
            if (!badKeys.empty()) badKeys += ", ";
            badKeys += kFeatureKeys[i].substr(0, kFeatureKeys[i].size() - 1);
        }
        out.push_back(std::move(line));
    }
}

}  // namespace

std::string StripRowTags(std::string_view row) {
    std::string text(row);
    RemoveFirstTag(text, kTypeTags);
    RemoveFirstTag(text, kLocationTags);
    return text;
}

std::optional<std::string> CheckLevelNumber(std::string_view row, Host& host) {
    const std::size_t header = HeaderEnd(row);
    if (header + 1 < row.size() && row[header] == ',' && row[header + 1] == ',') return std::string();
    // Only a symbology row has a level cell: a feature row whose text holds
    // "=", and the rows that are dropped anyway, pass as they are. The key
    // cell's "=" is looked for from the key cell on, so a header or a use
    // mark holding "=" or "0" is not taken for it.
    if (!IsSymbolHeader(row)) return std::string(row);
    const std::size_t key = KeyCellStart(row);
    const std::size_t eq = key == std::string_view::npos ? key : row.find('=', key);
    // No key, or a key with every value cell empty: no level to check.
    if (eq == std::string_view::npos || eq + 1 == row.size()) return std::string(row);
    const std::size_t keyEnd = row.find(',', eq);
    const std::size_t layerEnd = keyEnd == std::string_view::npos ? keyEnd : row.find(',', keyEnd + 1);
    const std::size_t levelEnd = layerEnd == std::string_view::npos ? layerEnd : row.find(',', layerEnd + 1);
    if (levelEnd == std::string_view::npos) {
        host.Inform("Bad Line = " + std::string(row));
        return std::string();
    }
    const std::string_view level = row.substr(layerEnd + 1, levelEnd - layerEnd - 1);
    const std::optional<double> value = ParseNumber(level);
    if (value && *value > 0 && *value < 64) return std::string(row);

    const std::string headerText(row.substr(0, header));
    const std::string question = value ? "changing " + headerText + " level num " + std::string(level) + " to 63"
                                       : "changing " + headerText + " non numeric level number " +
                                             std::string(level) + " to 63";
    if (!host.AskOkCancel(question)) return std::nullopt;
    std::string replaced(row.substr(0, layerEnd + 1));
    replaced += "63";
    replaced += row.substr(levelEnd);
    return replaced;
}

std::optional<std::vector<std::string>> ReadSpreadsheetSource(std::span<const std::string_view> lines,
                                                              Host& host) {
    std::vector<std::string> rows;
    rows.reserve(lines.size() + 2);
    for (const std::string_view line : lines) {
        const std::string text = UnquoteCells(line);
        if (ContainsIgnoringCase(text, "Header-Definition")) {
            rows.emplace_back();
            continue;
        }
        std::optional<std::string> row = CheckLevelNumber(TrimLineEnd(StripRowTags(text)), host);
        if (!row) return std::nullopt;
        rows.push_back(std::move(*row));
    }
    rows.emplace_back();
    rows.emplace_back();
    // Empty rows (titles, rows not imported) all sort first and are alike,
    // so only the others are sorted, each compared once folded rather than
    // folding the long shared header texts again at every comparison.
    std::vector<std::string> sorted(static_cast<std::size_t>(std::count(rows.begin(), rows.end(), std::string())));
    std::vector<std::pair<std::string, std::size_t>> keys;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].empty()) keys.emplace_back(FoldCase(rows[i]), i);
    SortByPrefix(keys, [](const auto& key) { return std::string_view(key.first); }, false,
                 std::less<std::string_view>());
    sorted.reserve(rows.size());
    for (const auto& key : keys) sorted.push_back(std::move(rows[key.second]));
    return sorted;
}

std::string SymbologyRowToLine(std::string_view row) {
    const std::size_t zero = KeyCellStart(row);
    if (zero == std::string_view::npos || zero + 1 == row.size()) return {};
    const std::string_view kept = row.substr(zero);
    const std::size_t eq = kept.find('=');
    if (eq == std::string_view::npos) return std::string(kept);
    std::string line(kept.substr(0, eq + 1));
    std::string_view values = kept.substr(eq + 1);
    // Only the separating comma goes: a value typed into the key cell stays whole.
    if (!values.empty() && values.front() == ',') values.remove_prefix(1);
    line += values;
    return line;
}

std::vector<std::string> ConvertSpreadsheetRows(const std::vector<std::string>& rows, Host& host) {
    std::vector<std::string> out;
    std::string report;
    std::string_view block;  // the header of the symbology block being written
    bool inBlock = false;
    for (const std::string& row : rows) {
        if (!row.empty() && IsFeatureHeader(row)) {
            std::string badKeys;
            FeatureRowToLines(row, out, badKeys);
            if (!badKeys.empty()) report += "\n" + out[out.size() - 16] + ": " + badKeys;
            inBlock = false;
        } else if (!row.empty() && IsSymbolHeader(row)) {
            const std::string_view header = std::string_view(row).substr(0, HeaderEnd(row));
            if (!inBlock || !EqualsIgnoringCase(header, block)) {
                out.emplace_back();
                out.emplace_back(header);
                block = header;
                inBlock = true;
            }
            std::string line = SymbologyRowToLine(row);
            if (!line.empty()) out.push_back(std::move(line));
        } else {
            inBlock = false;
        }
    }
    if (!report.empty())
        host.Inform("Feature flags that were empty, not a number or out of range were read as 0 in these "
                    "rows:" + report);
    return out;
}

std::optional<std::vector<std::string>> ConvertSpreadsheet(std::span<const std::string_view> lines,
                                                           Host& host) {
    const std::optional<std::vector<std::string>> rows = ReadSpreadsheetSource(lines, host);
    if (!rows) return std::nullopt;
    std::vector<std::string> converted = ConvertSpreadsheetRows(*rows, host);
    // A blank line only after a line that is not blank: no leading blank
    // line, and runs of blank lines become one.
    std::vector<std::string> written;
    written.reserve(converted.size());
    bool previousEmpty = true;
    for (std::string& line : converted) {
        const bool empty = line.empty();
        if (!empty || !previousEmpty) written.push_back(std::move(line));
        previousEmpty = empty;
    }
    return written;
}

}  // namespace quillset::model
