// The spreadsheet (.csv) source converted into INI text; the control byte
// answers the level questions.

#include "fuzz_input.h"
#include "model/csv_import.h"
#include "support/fake_host.h"

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput in = fuzz::Split(data, size);
    testing::FakeHost host;
    for (int bit = 0; bit < 8; ++bit) host.answers.push_back(((in.control >> bit) & 1) == 0);
    const auto converted = model::ConvertSpreadsheet(in.text.lines, host);
    // Only a Cancel stops the import.
    fuzz::Require(converted.has_value() || !host.questions.empty());
    return 0;
}
