// The comparison of a source with a test file and the update built from it.
// The input holds both: the source before the first 0x01 byte, the test file
// after it (without that byte the test file is a copy of the source); the
// control byte picks the categories, the reset mode, the append setting and
// the confirmation answers.

#include <cstdio>
#include <algorithm>
#include <string>
#include <unistd.h>
#include <unordered_set>

#include "app/compare_commands.h"
#include "app/session.h"
#include "compare/compare.h"
#include "compare/update.h"
#include "fuzz_input.h"
#include "model/source_model.h"
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

// The rows and counters agree, and a file compared with a copy of itself
// differs only where a test header equal to no selected header was found
// inside a longer one.
void CheckRows(const Session& s, bool sameFile) {
    const compare::Comparison& cmp = s.comparison;
    const std::size_t h = cmp.test.headers.size();
    const compare::CompareCounts& n = cmp.counts;
    FUZZ_CHECK(static_cast<std::size_t>(n.testOnly + n.identical + n.different) == h,
               "test only + identical + different = test headers");
    FUZZ_CHECK(cmp.rows.size() == h + static_cast<std::size_t>(n.controlOnly), "one row per header");
    compare::CompareCounts tally;
    for (std::size_t r = 0; r < cmp.rows.size(); ++r) {
        const compare::CompareRow& row = cmp.rows[r];
        FUZZ_CHECK((r < h) == (row.status != compare::Status::ControlOnly), "test rows first");
        if (r < h) FUZZ_CHECK(row.testLine == cmp.test.headers[r], "a test row stands for its own header");
        switch (row.status) {
            case compare::Status::TestOnly: ++tally.testOnly; break;
            case compare::Status::Identical: ++tally.identical; break;
            case compare::Status::Different: ++tally.different; break;
            case compare::Status::ControlOnly: ++tally.controlOnly; break;
        }
    }
    FUZZ_CHECK(tally == n, "counters match the rows");
    if (!sameFile) return;

    std::unordered_set<std::string> selected;
    for (std::size_t j = 1; j < s.selection.selectedHeaders.size(); ++j) selected.insert(model::FoldCase(s.selection.selectedHeaders[j]));
    FUZZ_CHECK(n.controlOnly == 0, "a copy holds every selected header");
    for (std::size_t r = 0; r < h; ++r) {
        const compare::CompareRow& row = cmp.rows[r];
        if (selected.count(model::FoldCase(row.header)))
            FUZZ_CHECK(row.status == compare::Status::Identical, "a copy's selected blocks are identical");
    }
}

// The containment search gives the plain scan's answer, for the header lines
// and, capped so the scan stays quick, for whole lines of both files.
void CheckContainment(const Session& s) {
    const auto& test = s.comparison.test;
    std::vector<std::string_view> parts;
    for (const std::size_t at : test.headers) parts.push_back(test.lines[at]);
    const std::span<const std::string_view> slots(s.selection.selectedHeaders);
    const auto controls = slots.subspan(1);
    FUZZ_CHECK(compare::FindContainers(controls, parts) == compare::FindContainersPlain(controls, parts),
               "FindContainers agrees with the plain scan (headers)");
    constexpr std::size_t kCap = 200;
    const std::vector<std::string_view> containers(
        s.source.workingLines.begin(),
        s.source.workingLines.begin() + static_cast<std::ptrdiff_t>(std::min(kCap, s.source.workingLines.size())));
    parts.assign(test.lines.begin(), test.lines.begin() + static_cast<std::ptrdiff_t>(std::min(kCap, test.lines.size())));
    FUZZ_CHECK(compare::FindContainers(containers, parts) == compare::FindContainersPlain(containers, parts),
               "FindContainers agrees with the plain scan (lines)");
}

// Reset none, append none: the test file's blocks as they stand, in order.
void CheckUpdateKeepsTest(Session& s, compare::BlockPreviewer& previewer) {
    s.output = {};
    app::RunUpdate(s, compare::ResetMode::ResetNone, false, previewer);
    const auto& test = s.comparison.test;
    const std::size_t first = test.headers.empty() ? test.lines.size() - 1 : test.headers.front();
    const auto& slots = s.output.Lines();
    const auto count = static_cast<std::size_t>(s.output.Count());
    FUZZ_CHECK(count == test.lines.size() - 1 - first, "the update holds every test block line");
    for (std::size_t i = 0; i < count; ++i)
        FUZZ_CHECK(slots[i] == test.lines[first + i], "the update reproduces the test blocks in order");
}

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
    const bool sameFile = cut == std::string::npos;
    const std::string test = sameFile ? control : bytes.substr(cut + 1);
    if (std::FILE* f = std::fopen(testPath.c_str(), "wb")) {
        std::fwrite(test.data(), 1, test.size(), f);
        std::fclose(f);
    }

    Session s;
    testing::FakeHost host;
    model::LoadLines(s.source, platform::SplitText(control));
    model::BuildWorkingLines(s.source, {(c & 1) != 0, (c & 2) != 0, true, true});
    s.selection.keywords.selected = model::FillAvailableKeywords(s.source);
    if (app::RunComparison(s, host, sourcePath, testPath) != compare::CompareOutcome::Compared) return 0;

    CheckRows(s, sameFile);
    CheckContainment(s);
    ScriptedPreviewer previewer;
    previewer.bits = static_cast<std::uint8_t>(c * 37);
    CheckUpdateKeepsTest(s, previewer);
    s.output = {};
    s.comparison.sorted = false;

    compare::SortComparison(s.comparison, (c >> 2) % 3);
    for (const std::size_t row : s.comparison.DisplayOrder()) {
        fuzz::Require(row < s.comparison.rows.size());
        compare::DescribeDifferences(compare::RowDifferences(s.source, s.comparison, s.comparison.rows[row]));
    }
    previewer.asked = 0;
    app::RunUpdate(s, static_cast<compare::ResetMode>((c >> 4) % 3), (c & 0x40) != 0, previewer);
    return 0;
}
