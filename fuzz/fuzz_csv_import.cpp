// The spreadsheet (.csv) source converted into INI text; the control byte
// answers the level questions. Then the same bytes drive a generator of
// feature, symbology, preference, WYSIWYG and filter blocks, which are
// exported as CSV and imported again.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "exports/csv_export.h"
#include "fuzz_input.h"
#include "model/csv_import.h"
#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "support/fake_host.h"

using namespace quillset;

namespace {

// Bytes that the CSV carries as they are in a name or a value: no cell
// separator, no tag or header bracket, and too few letters to spell a
// category word or a title row. Names and values may also hold "=" and
// quotes (`rich`), though no cell starts with a quote: such a cell could be
// a quoted field, which the import unquotes. Keys hold neither.
constexpr std::string_view kPlain = "ABab09 ._;:\xC0\xE0=\"";

std::string Text(FuzzedDataProvider& p, std::size_t most, bool rich = false) {
    const std::size_t letters = kPlain.size() - (rich ? 1 : 3);
    std::string out;
    const std::size_t n = p.ConsumeIntegralInRange<std::size_t>(0, most);
    for (std::size_t i = 0; i < n; ++i) out += kPlain[p.ConsumeIntegralInRange<std::size_t>(0, letters)];
    if (!out.empty() && out.front() == '"') out.front() = 'A';
    return out;
}

// A spreadsheet's save: every cell holding a quote, or with `all` every
// non-empty cell, quoted with its quotes doubled.
std::string Resaved(std::string_view line, bool all) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        const std::string_view cell =
            line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (cell.find('"') != std::string_view::npos || (all && !cell.empty())) {
            out += '"';
            for (const char c : cell) out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        } else {
            out += cell;
        }
        if (comma == std::string_view::npos) return out;
        out += ',';
        start = comma + 1;
    }
}

std::string Number3(int k) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%03d", k);
    return buffer;
}

using Block = std::vector<std::string>;  // header first

struct Generated {
    std::vector<std::string> slots;  // the output lines exported
    std::vector<Block> expected;     // what the import must give back, any order
};

// Flag cells come back as "0" or "1": the value read as a number and rounded.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kFlags = {{
    {"0", "0"}, {"1", "1"}, {"2", "1"}, {"-1", "1"}, {"0.4", "0"}, {"1.5", "1"}, {"0.5", "0"}, {"abc", "0"}, {"", "0"},
}};
// Level cells: a number above 0 and below 64 stays, anything else becomes
// "63" (the host answers OK).
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kLevels = {{
    {"1", "1"}, {"5", "5"}, {"63", "63"}, {"12.5", "12.5"}, {" 7 ", " 7 "}, {"0", "63"}, {"64", "63"}, {"-1", "63"}, {"abc", "63"},
}};
constexpr std::array<std::string_view, 5> kKinds = {"DefaultLineSymbology", "PlanTextSymbology", "PointSymbology",
                                                    "SymbolSymbology", "Other"};

// Feature values by record index; 6 and 16 are never written.
void FeatureBlock(FuzzedDataProvider& p, const std::string& header, Generated& g) {
    constexpr std::array<bool, 17> kText = {true, true, false, false, false, false, false, false, false,
                                            false, false, true, false, true, false, false, true};
    constexpr std::array<std::string_view, 17> kKeys = {
        "SymbologyName", "Description", "DisplayAsLine", "DisplayAsPoint", "Annotate", "DisplayAsLineInProfile",
        "Unused", "AnnotateInProfile", "DisplayAsPointInXs", "AnnotateInXs", "PlanarizeFlag", "PlanarElevation",
        "AttachTag", "PayItem", "DisplayAsCrossingPointInProfile", "DisplayAsProjectedPointInProfile", "Spare"};
    std::array<std::string, 17> record = {"", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0.00", "0", "", "0", "0", ""};
    g.slots.push_back(header);
    const int lines = p.ConsumeIntegralInRange(0, 20);
    for (int i = 0; i < lines; ++i) {
        const int k = p.ConsumeIntegralInRange(0, 18);  // 17, 18: no such number
        if (k == 18) {
            g.slots.push_back("Comment=" + Text(p, 4));  // no number: not used
            continue;
        }
        std::string value, back;
        if (k < 17 && !kText[static_cast<std::size_t>(k)]) {
            const auto& flag = kFlags[p.ConsumeIntegralInRange<std::size_t>(0, kFlags.size() - 1)];
            value = flag.first;
            back = flag.second;
        } else {
            value = std::string(model::TrimLineEnd(Text(p, 6, true)));
            back = value;
        }
        g.slots.push_back(Number3(k) + std::string(k < 17 ? kKeys[static_cast<std::size_t>(k)] : "Extra") + "=" + value);
        if (k < 17) record[static_cast<std::size_t>(k)] = back;
    }
    if (lines == 0) return;  // a block without body lines gives no row
    Block block{header};
    static constexpr std::array<std::string_view, 15> kImported = {
        "000SymbologyName=", "001Description=", "002DisplayAsLine=", "003DisplayAsPoint=", "004Annotate=",
        "005DisplayAsLineInProfile=", "007AnnotateInProfile=", "008DisplayAsPointInXs=", "009AnnotateInXs=",
        "010PlanarizeFlag=", "011PlanarElevation=", "012AttachTag=", "013PayItem=",
        "014DisplayAsCrossingPointInProfile=", "015DisplayAsProjectedPointInProfile="};
    for (std::size_t i = 0, k = 0; k < 16; ++k) {
        if (k == 6) continue;
        block.push_back(std::string(kImported[i++]) + record[k]);
    }
    g.expected.push_back(std::move(block));
}

// The last line of each number 0 to 11 comes back as key=value, with a bad
// level as "63"; a value of one or two cells has no level cell and is dropped.
void SymbologyBlock(FuzzedDataProvider& p, const std::string& header, Generated& g) {
    g.slots.push_back(header);
    std::map<int, std::string> back;  // by number; empty when dropped
    const int lines = p.ConsumeIntegralInRange(0, 16);
    for (int i = 0; i < lines; ++i) {
        const int k = p.ConsumeIntegralInRange(0, 13);  // 12: out of range, 13: no number
        if (k == 13) {
            g.slots.push_back("Note=" + Text(p, 4));
            continue;
        }
        const std::string key =
            Number3(k) + Text(p, 2) + std::string(kKinds[p.ConsumeIntegralInRange<std::size_t>(0, kKinds.size() - 1)]) + "=";
        std::string line, kept;
        switch (p.ConsumeIntegralInRange(0, 3)) {
            case 0:  // every value cell empty: the bare key
                line = kept = key;
                break;
            case 1: {  // no level cell; trimmed to nothing, the bare key
                line = key + Text(p, 4, true);
                if (p.ConsumeBool()) line += "," + Text(p, 3, true);
                line = std::string(model::TrimLineEnd(line));
                if (line == key) kept = key;
                break;
            }
            default: {
                const std::string layer = Text(p, 4, true);
                const auto& level = kLevels[p.ConsumeIntegralInRange<std::size_t>(0, kLevels.size() - 1)];
                std::string rest = Text(p, 3, true) + "," + Text(p, 3, true);
                rest += kPlain[p.ConsumeIntegralInRange<std::size_t>(0, 3)];  // ends in a letter
                line = key + layer + "," + std::string(level.first) + "," + rest;
                kept = key + layer + "," + std::string(level.second) + "," + rest;
                break;
            }
        }
        g.slots.push_back(line);
        if (k < 12) back[k] = kept;
    }
    Block block{header};
    for (const auto& [k, line] : back)
        if (!line.empty()) block.push_back(line);
    if (block.size() > 1) g.expected.push_back(std::move(block));
}

Generated Generate(FuzzedDataProvider& p) {
    Generated g;
    // Lines before the first header belong to no block.
    for (int i = p.ConsumeIntegralInRange(0, 2); i > 0; --i) g.slots.push_back("000Loose=" + Text(p, 4));
    std::set<std::string> used;  // per kind, the names ignoring case: equal headers would merge
    const int blocks = p.ConsumeIntegralInRange(0, 12);
    for (int b = 0; b < blocks && p.remaining_bytes() > 0; ++b) {
        const int kind = p.ConsumeIntegralInRange(0, 4);
        std::string name = Text(p, 6, true);
        if (model::Trim(name).empty()) name = "N";
        if (!used.insert(std::to_string(kind) + model::FoldCase(name)).second) continue;
        switch (kind) {
            case 0: FeatureBlock(p, "[ Feature Style - " + name + " ]", g); break;
            case 1: SymbologyBlock(p, "[ Named Symbology - " + name + " ]", g); break;
            default: {
                // Preference, WYSIWYG and filter rows are not imported.
                static constexpr std::array<std::string_view, 3> kOthers = {"[ General - ", "[ Wysiwyg - ",
                                                                            "[ Feature Filter - "};
                g.slots.push_back(std::string(kOthers[static_cast<std::size_t>(kind - 2)]) + name + " ]");
                for (int i = p.ConsumeIntegralInRange(0, 3); i > 0; --i)
                    g.slots.push_back(Number3(i) + "Key=" + Text(p, 3) + "," + Text(p, 3));
                break;
            }
        }
    }
    return g;
}

// The imported blocks, split at the blank lines.
std::vector<Block> Blocks(const std::vector<std::string>& lines) {
    std::vector<Block> blocks;
    bool open = false;
    for (const std::string& line : lines) {
        if (line.empty()) {
            open = false;
            continue;
        }
        if (!open) blocks.emplace_back();
        open = true;
        blocks.back().push_back(line);
    }
    return blocks;
}

void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider p(data, size);
    const int save = p.ConsumeIntegralInRange(0, 2);  // as exported, saved again, saved with all quoted
    Generated g = Generate(p);
    g.slots.emplace_back();
    std::vector<std::string> rows = exports::CsvExportLines(g.slots);
    if (save > 0)
        for (std::string& row : rows) row = Resaved(row, save == 2);
    const platform::TextLines csv = platform::SplitText(platform::RenderLines(rows));
    testing::FakeHost host;  // OK to every level question
    const auto imported = model::ConvertSpreadsheet(csv.lines, host);
    FUZZ_CHECK(imported.has_value(), "the import of an export runs through");
    // Rows sort by their text ignoring case, so the blocks come back in the
    // order of their headers ignoring case.
    std::stable_sort(g.expected.begin(), g.expected.end(), [](const Block& a, const Block& b) {
        return model::CompareIgnoringCase(a.front(), b.front()) < 0;
    });
    // FUZZ_DUMP=1 on a finding's replay shows both sides.
    if (std::getenv("FUZZ_DUMP")) {
        for (const auto& [title, blocks] : {std::pair{"imported", Blocks(*imported)}, std::pair{"expected", g.expected}})
            for (const Block& block : blocks)
                for (const std::string& line : block) std::fprintf(stderr, "%s |%s|\n", title, line.c_str());
    }
    FUZZ_CHECK(Blocks(*imported) == g.expected, "import(export(x)), also saved again by a spreadsheet, keeps the feature and symbology blocks");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput in = fuzz::Split(data, size);
    testing::FakeHost host;
    for (int bit = 0; bit < 8; ++bit) host.answers.push_back(((in.control >> bit) & 1) == 0);
    const auto converted = model::ConvertSpreadsheet(in.text.lines, host);
    // Only a Cancel stops the import.
    fuzz::Require(converted.has_value() || !host.questions.empty());
    CheckRoundTrip(data, size);
    return 0;
}
