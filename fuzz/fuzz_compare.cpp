// The comparison of a source with a test file and the update built from it.
// The input holds both: the source before the first 0x01 byte, the test file
// after it; the control byte picks the categories, the reset mode, the append
// setting and the confirmation answers.

#include <cstdio>
#include <string>
#include <unistd.h>

#include "compare/compare.h"
#include "compare/update.h"
#include "fuzz_input.h"
#include "model/source_model.h"
#include "session.h"
#include "support/fake_host.h"

using namespace quillset;

namespace {

std::string sourcePath;
std::string testPath;

std::string TempName(const char* stem) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string name = std::string(dir) + "/" + stem + "_XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd >= 0) close(fd);
    return name;
}

// Answers the confirmation window from the control bits, in turn.
struct ScriptedPreviewer : compare::BlockPreviewer {
    std::uint8_t bits = 0;
    int asked = 0;
    compare::Decision Decide(const compare::CompareRow&, const std::vector<compare::PairedLine>& lines) override {
        fuzz::Require(!lines.empty());
        return static_cast<compare::Decision>((bits >> (2 * (asked++ % 4))) & 3);
    }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sourcePath = TempName("quillset_fuzz_control");
    testPath = TempName("quillset_fuzz_test");
    std::atexit([] {
        std::remove(sourcePath.c_str());
        std::remove(testPath.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t c = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t cut = bytes.find('\x01');
    const std::string control = bytes.substr(0, cut);
    const std::string test = cut == std::string::npos ? std::string() : bytes.substr(cut + 1);
    if (std::FILE* f = std::fopen(testPath.c_str(), "wb")) {
        std::fwrite(test.data(), 1, test.size(), f);
        std::fclose(f);
    }

    Session s;
    testing::FakeHost host;
    model::LoadLines(s.source, platform::SplitText(control));
    model::BuildWorkingLines(s.source, {(c & 1) != 0, (c & 2) != 0, true, true});
    s.keywords.selected = model::FillAvailableKeywords(s.source);
    if (compare::RunComparison(s, host, sourcePath, testPath) != compare::CompareOutcome::Compared) return 0;

    compare::SortComparison(s.comparison, (c >> 2) % 3);
    for (const std::size_t row : s.comparison.DisplayOrder()) {
        fuzz::Require(row < s.comparison.rows.size());
        compare::DescribeDifferences(compare::RowDifferences(s, s.comparison.rows[row]));
    }
    ScriptedPreviewer previewer;
    previewer.bits = static_cast<std::uint8_t>(c * 37);
    compare::RunUpdate(s, static_cast<compare::ResetMode>((c >> 4) % 3), (c & 0x40) != 0, previewer);
    return 0;
}
