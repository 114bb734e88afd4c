#include "model/tsv_import.h"

#include "model/definition_blocks.h"

namespace quillset::model {

TabColumns ReadTabSource(std::span<const std::string_view> lines) {
    TabColumns columns;
    for (const std::string_view line : lines) {
        std::size_t column = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            const std::string_view cell =
                line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            // Empty cells are only filler, so they take no room.
            if (!cell.empty()) {
                if (column >= columns.size()) columns.resize(column + 1);
                columns[column].push_back(cell);
            }
            if (tab == std::string_view::npos) break;
            start = tab + 1;
            ++column;
        }
    }
    return columns;
}

std::vector<std::string> WriteTabConversion(const TabColumns& columns) {
    std::vector<std::string> lines;
    for (const auto& column : columns) {
        for (const std::string_view cell : column) {
            if (IsHeaderLine(cell)) lines.emplace_back();
            lines.emplace_back(cell);
        }
    }
    return lines;
}

}  // namespace quillset::model
