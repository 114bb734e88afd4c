// The CSV and TSV exports over arbitrary output lines; FUZZ_TSV picks the
// TSV one, so each export is its own target.

#include "exports/csv_export.h"
#include "exports/tsv_export.h"
#include "fuzz_input.h"

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> slots = fuzz::Copies(fuzz::Split(data, size).text.lines);
    // Output slots end with an empty one, and may hold empty ones anywhere.
    slots.emplace_back();
#ifdef FUZZ_TSV
    const exports::TsvExport table = exports::TsvExportLines(slots);
    fuzz::Require(table.lines.size() == table.rows + 1);
    for (std::size_t r = 0; r < table.rows; ++r) {
        std::size_t tabs = 0;
        for (char ch : table.lines[r]) tabs += ch == '\t';
        // Cells are not escaped, so a TAB inside one adds to the separators.
        fuzz::Require(table.columns == 0 || tabs + 1 >= table.columns);
    }
#else
    const auto rows = exports::CsvExportLines(slots);
    fuzz::Require(rows.size() >= 6);
#endif
    return 0;
}
