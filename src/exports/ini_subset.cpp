#include "exports/ini_subset.h"

#include <string_view>
#include <unordered_map>

#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::exports {

bool CollectListedBlocks(const model::SourceModel& source, selection::Selection& selection, model::OutputLines& output,
                         Host& host) {
    const model::Lines& lines = source.workingLines;
    model::Lines selectedHeaders(1);
    if (selection.keywords.selected.empty()) {
        selection.selectedHeaders = std::move(selectedHeaders);
        host.Inform(selection::kEmptySelectionMessage);
        return false;
    }
    // Where each header line stands, every occurrence in order: one pass, so
    // a long header list does not rescan the lines once per row.
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (model::IsHeaderLine(lines[i])) positions[lines[i]].push_back(i);
    }
    const auto& rows = selection.headerList.rows;
    AppendAllOrNothing(output, [&] {
        for (const std::size_t r : selection.headerList.DisplayOrder()) {
            const auto found = positions.find(rows[r].header);
            if (found == positions.end() || rows[r].occurrence >= found->second.size()) continue;
            const std::size_t header = found->second[rows[r].occurrence];
            selectedHeaders.push_back(lines[header]);
            const std::size_t end = model::WorkingBlockEnd(source, header);
            for (std::size_t i = header; i < end; ++i) output.Append(lines[i], source.bytes);
        }
    });
    selection.selectedHeaders = std::move(selectedHeaders);
    return true;
}

}  // namespace quillset::exports
