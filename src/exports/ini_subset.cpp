#include "exports/ini_subset.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::exports {

bool CollectListedBlocks(const model::SourceModel& source, selection::Selection& selection, model::OutputLines& output,
                         Host& host) {
    const model::Lines& lines = source.workingLines;
    if (selection.keywords.selected.empty()) {
        selection.selectedHeaders = model::Lines(1);
        host.Inform(selection::kEmptySelectionMessage);
        return false;
    }
    const auto& rows = selection.headerList.rows;
    // A row's line holds its header unless the row names a block the
    // working lines do not hold.
    const auto listed = [&](std::size_t r) {
        return rows[r].line < lines.size() && lines[rows[r].line] == rows[r].header;
    };
    const std::vector<std::size_t> order = selection.headerList.DisplayOrder();
    // The selected headers are rewritten in place once the output holds every
    // block, so room for them is made first, while a failure changes nothing.
    model::Lines& headers = selection.selectedHeaders;
    headers.reserve(1 + static_cast<std::size_t>(std::count_if(order.begin(), order.end(), listed)));
    AppendAllOrNothing(output, [&] {
        for (const std::size_t r : order) {
            if (!listed(r)) continue;
            const std::size_t header = rows[r].line;
            const std::size_t end = model::WorkingBlockEnd(source, header);
            for (std::size_t i = header; i < end; ++i) output.Append(lines[i], source.bytes);
        }
    });
    headers.assign(1, std::string_view());
    for (const std::size_t r : order)
        if (listed(r)) headers.push_back(lines[rows[r].line]);
    return true;
}

}  // namespace quillset::exports
