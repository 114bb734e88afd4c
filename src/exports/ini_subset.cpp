#include "exports/ini_subset.h"

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
    // The listed blocks' header lines in display order: a row's line holds
    // its header unless the row names a block the working lines do not hold.
    std::vector<std::size_t> blocks = selection.headerList.DisplayOrder();
    std::size_t listed = 0;
    for (const std::size_t r : blocks)
        if (rows[r].line < lines.size() && lines[rows[r].line] == rows[r].header) blocks[listed++] = rows[r].line;
    blocks.resize(listed);
    // The selected headers are rewritten in place once the output holds every
    // block, so room for them is made first, while a failure changes nothing.
    model::Lines& headers = selection.selectedHeaders;
    headers.reserve(1 + blocks.size());
    ProgressMeter meter(host, "Collecting the selected blocks", blocks.size());
    AppendAllOrNothing(output, [&] {
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            meter.At(k);
            const std::size_t header = blocks[k];
            const std::size_t end = model::WorkingBlockEnd(source, header);
            for (std::size_t i = header; i < end; ++i) output.Append(lines[i], source.bytes);
        }
    });
    headers.assign(1, std::string_view());
    for (const std::size_t header : blocks) headers.push_back(lines[header]);
    return true;
}

}  // namespace quillset::exports
