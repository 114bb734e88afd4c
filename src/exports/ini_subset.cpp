#include "exports/ini_subset.h"

#include <string_view>
#include <vector>

#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "model/source_model.h"
#include "model/view_table.h"
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
    // Where each header line stands, every occurrence in order, so a long
    // header list does not rescan the lines once per row: the distinct
    // headers numbered and counted in one pass (a keyed table, as crafted
    // headers must not share its slots), then placed by number in a second.
    model::ViewTable<std::uint32_t> ids;
    std::vector<std::size_t> first(1, 0);  // per number: where its positions start, then the end
    for (const std::string_view line : lines) {
        if (!model::IsHeaderLine(line)) continue;
        const auto [id, fresh] = ids.Insert(line);
        if (fresh) {
            *id = static_cast<std::uint32_t>(first.size() - 1);
            first.push_back(0);
        }
        ++first[*id + 1];
    }
    for (std::size_t k = 1; k < first.size(); ++k) first[k] += first[k - 1];
    std::vector<std::size_t> positions(first.back());
    {
        std::vector<std::size_t> next(first.begin(), first.end() - 1);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!model::IsHeaderLine(lines[i])) continue;
            positions[next[*ids.Find(lines[i], model::HashBytes(lines[i]))]++] = i;
        }
    }
    const auto& rows = selection.headerList.rows;
    AppendAllOrNothing(output, [&] {
        for (const std::size_t r : selection.headerList.DisplayOrder()) {
            const std::uint32_t* id = ids.Find(rows[r].header, model::HashBytes(rows[r].header));
            if (!id || rows[r].occurrence >= first[*id + 1] - first[*id]) continue;
            const std::size_t header = positions[first[*id] + rows[r].occurrence];
            selectedHeaders.push_back(lines[header]);
            const std::size_t end = model::WorkingBlockEnd(source, header);
            for (std::size_t i = header; i < end; ++i) output.Append(lines[i], source.bytes);
        }
    });
    selection.selectedHeaders = std::move(selectedHeaders);
    return true;
}

}  // namespace quillset::exports
