#include "exports/tsv_export.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "exports/ini_subset.h"
#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::exports {

namespace {

constexpr int kHighestNumber = 499;

// Blocks that a preferences table should not carry; each still gets its column.
constexpr std::array<std::string_view, 4> kWarnedHeaders = {
    "[ Dialog Boxes - Position Information ]",
    "[ Main Window Position ]",
    "[ Recent Files List ]",
    "[ ToolBar - Control Information ]",
};

}  // namespace

namespace {

template <class ForEachLine>
TsvExport TsvTable(const ForEachLine& forEachLine) {
    TsvExport result;
    // Per table row the (column, cell) pairs in column order: the table is
    // sparse, so cells are kept per row rather than as a full grid.
    std::vector<std::vector<std::pair<std::size_t, std::string_view>>> cells(kHighestNumber + 2);
    std::size_t columns = 0;
    int highest = 0;
    bool preference = false;
    forEachLine([&](std::string_view line) {
        if (line.empty()) return;
        if (model::IsHeaderLine(line)) {
            for (const std::string_view warned : kWarnedHeaders) {
                if (line == warned)
                    result.messages.push_back("Please delete the block titled " + std::string(line) +
                                              " from the input file and Retry");
            }
            preference = model::CategoryOf(line) == model::Category::Preference;
            cells[0].emplace_back(columns++, line);
            return;
        }
        if (!preference) return;
        const std::optional<int> k = model::LineNumber(line);
        if (!k || *k < 0 || *k > kHighestNumber) return;
        auto& row = cells[static_cast<std::size_t>(*k) + 1];
        if (!row.empty() && row.back().first == columns - 1)
            row.back().second = line;  // a later line of the same number wins
        else
            row.emplace_back(columns - 1, line);
        if (*k > highest) highest = *k;
    });

    result.columns = columns;
    result.rows = static_cast<std::size_t>(highest) + 2;
    result.lines.reserve(result.rows + 1);
    for (std::size_t r = 0; r < result.rows; ++r) {
        std::string text;
        std::size_t tabs = 0;
        for (const auto& [column, cell] : cells[r]) {
            text.append(column - tabs, '\t');
            tabs = column;
            text += cell;
        }
        if (columns > 0) text.append(columns - 1 - tabs, '\t');
        result.lines.push_back(std::move(text));
    }
    result.lines.emplace_back();

    const std::string n = std::to_string(result.columns);
    const std::string m = std::to_string(result.rows);
    result.messages.push_back("# of Preferences: " + n + "\nMax # of Preflines: " + m);
    result.messages.push_back("ary2DPref() = (" + n + "," + m + ")");
    return result;
}

}  // namespace

TsvExport TsvExportLines(const std::vector<std::string>& slots) {
    return TsvTable([&](const auto& visit) {
        for (const std::string& slot : slots) visit(slot);
    });
}

TsvExport TsvExportLines(const model::OutputLines& output, ProgressMeter* meter) {
    return TsvTable([&](const auto& visit) { model::ForEachLine(output, meter, visit); });
}

}  // namespace quillset::exports
