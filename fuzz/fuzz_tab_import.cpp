// The TAB-separated (.txt) source converted into INI text; then the input
// read as output lines, exported as a preferences table and imported again.

#include <algorithm>
#include <map>

#include "exports/tsv_export.h"
#include "fuzz_input.h"
#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "model/tsv_import.h"

using namespace quillset;

namespace {

// What the table carries of each block: its header, and of a preference
// block the last line of each number 0 to 499, by number. A TAB would split
// its cell, so none is fed in.
void CheckRoundTrip(const std::vector<std::string_view>& input) {
    std::vector<std::string> slots;
    for (const std::string_view line : input) {
        std::string text(line);
        std::replace(text.begin(), text.end(), '\t', ' ');
        slots.push_back(std::move(text));
    }
    slots.emplace_back();

    std::vector<std::string> expected;
    std::map<int, std::string_view> numbered;
    bool preference = false;
    const auto closeBlock = [&] {
        for (const auto& [k, line] : numbered) expected.emplace_back(line);
        numbered.clear();
    };
    for (const std::string& line : slots) {
        if (line.empty()) continue;
        if (model::IsHeaderLine(line)) {
            closeBlock();
            expected.emplace_back();
            expected.push_back(line);
            preference = model::CategoryOf(line) == model::Category::Preference;
        } else if (preference) {
            const std::optional<int> k = model::LineNumber(line);
            if (k && *k >= 0 && *k <= 499) numbered[*k] = line;
        }
    }
    closeBlock();

    const exports::TsvExport table = exports::TsvExportLines(slots);
    const platform::TextLines file = platform::SplitText(platform::RenderLines(table.lines));
    const auto imported = model::WriteTabConversion(model::ReadTabSource(file.lines));
    FUZZ_CHECK(imported == expected, "import(export(x)) keeps the headers and numbered preference lines");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput in = fuzz::Split(data, size);
    const model::TabColumns columns = model::ReadTabSource(in.text.lines);
    std::size_t cells = 0;
    for (const auto& column : columns) cells += column.size();
    const auto converted = model::WriteTabConversion(columns);
    // Every non-empty cell comes out once, a header cell with its blank line.
    fuzz::Require(converted.size() >= cells && converted.size() <= 2 * cells);
    CheckRoundTrip(in.text.lines);
    return 0;
}
