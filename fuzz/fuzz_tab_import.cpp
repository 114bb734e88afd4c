// The TAB-separated (.txt) source converted into INI text.

#include "fuzz_input.h"
#include "model/tsv_import.h"

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput in = fuzz::Split(data, size);
    const model::TabColumns columns = model::ReadTabSource(in.text.lines);
    std::size_t cells = 0;
    for (const auto& column : columns) cells += column.size();
    const auto converted = model::WriteTabConversion(columns);
    // Every non-empty cell comes out once, a header cell with its blank line.
    fuzz::Require(converted.size() >= cells && converted.size() <= 2 * cells);
    return 0;
}
