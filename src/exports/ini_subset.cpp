#include "exports/ini_subset.h"

#include <string_view>

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
    const auto& rows = selection.headerList.rows;
    AppendAllOrNothing(output, [&] {
        for (const std::size_t r : selection.headerList.DisplayOrder()) {
            // A row's line holds its header unless the row names a block
            // the working lines do not hold.
            const std::size_t header = rows[r].line;
            if (header >= lines.size() || lines[header] != rows[r].header) continue;
            selectedHeaders.push_back(lines[header]);
            const std::size_t end = model::WorkingBlockEnd(source, header);
            for (std::size_t i = header; i < end; ++i) output.Append(lines[i], source.bytes);
        }
    });
    selection.selectedHeaders = std::move(selectedHeaders);
    return true;
}

}  // namespace quillset::exports
