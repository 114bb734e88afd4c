#pragma once
// "Preference. to TSV": the preference blocks of the output lines side by
// side, one column per header line met, each numbered setting in the row of
// its number, TAB-separated and unquoted.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/output_lines.h"
#include "platform/progress.h"
#include "platform/host.h"

namespace quillset::exports {

struct TsvExport {
    // Rows 0 to rows - 1 with exactly columns - 1 TABs each, then one empty line.
    std::vector<std::string> lines;
    // The warnings for the fixed header lines, in the order met, then the
    // two size messages: what the user is told, in order.
    std::vector<std::string> messages;
    std::size_t columns = 0;  // N: header lines met
    std::size_t rows = 0;     // M: the highest number placed + 2
};

TsvExport TsvExportLines(const std::vector<std::string>& slots);
// A meter counts the output lines and may stop the conversion (Cancelled).
TsvExport TsvExportLines(const model::OutputLines& output, ProgressMeter* meter = nullptr);

}  // namespace quillset::exports
