#pragma once
// Collecting the blocks listed in the header list, and the INI subset export.

#include "model/output_lines.h"
#include "model/source_model.h"
#include "platform/host.h"
#include "selection/keywords.h"

namespace quillset::exports {

// Appends the block of each header-list row, in display order, from the
// working lines to the output lines and rewrites selection.selectedHeaders in
// that order. Each row names the line its header stands at, so a block whose
// header occurs several times exports once per row and nothing is searched
// for. False, after the message, when no keyword is selected.
bool CollectListedBlocks(const model::SourceModel& source, selection::Selection& selection, model::OutputLines& output,
                         Host& host);

}  // namespace quillset::exports
