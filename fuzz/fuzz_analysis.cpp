// The source analysis under every category choice (and the keyword list read
// straight from the file), then the keyword commands and the block
// collection over what it produced. Control bit 7 repeats the input past
// 1 MB, so the block-wise reader of the keyword scan cuts it at a block
// boundary (and a line without an end spans blocks).

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <unistd.h>

#include "app/session.h"
#include "exports/ini_subset.h"
#include "fuzz_input.h"
#include "model/definition_blocks.h"
#include "model/source_model.h"
#include "selection/keywords.h"
#include "support/fake_host.h"

using namespace quillset;

namespace {

// The commands check that the source still exists; one real file serves all runs.
std::string sourcePath;

std::size_t KeywordTotal(const Session& s) {
    return s.selection.keywords.available.size() + s.selection.keywords.selected.size();
}

// Just past the reader's 1 MB block, by an amount the input decides.
std::string Expanded(std::string_view bytes) {
    constexpr std::size_t kBlock = 1024 * 1024;
    std::string out;
    if (bytes.empty()) return out;
    const std::size_t target = kBlock + 1 + bytes.size() * 3 / 2;
    out.reserve(target + bytes.size());
    while (out.size() < target) out += bytes;
    return out;
}

// The counts add up, the arrays hold every line once and the load that
// splits while it fills agrees with the one over split lines.
void CheckCounts(const model::SourceModel& m, const std::shared_ptr<const std::string>& bytes) {
    const model::SourceCounts& n = m.counts;
    FUZZ_CHECK(n.allLines == n.featureLines + n.symbolLines + n.filterLines + n.prefLines,
               "category lines sum to all lines");
    FUZZ_CHECK(n.allDefs == n.featureDefs + n.symbolDefs + n.filterDefs + n.prefDefs,
               "category definitions sum to all definitions");
    FUZZ_CHECK(n.wysDefs <= n.prefDefs && n.wysLines <= n.prefLines, "Wysiwyg counts within preferences");
    FUZZ_CHECK(n.allDefs <= n.allLines, "definitions are lines");
    std::int64_t stored = 0, headers = 0;
    for (int k = 0; k < 4; ++k) {
        const std::span<const std::string_view> array = m.CategoryArray(k);
        FUZZ_CHECK(!array.empty() && array.back().empty(), "an array ends with its empty entry");
        stored += static_cast<std::int64_t>(array.size()) - 1;
        for (std::size_t i = 0; i + 1 < array.size(); ++i) headers += model::IsHeaderLine(array[i]);
    }
    FUZZ_CHECK(stored == n.allLines, "the arrays hold every line once");
    FUZZ_CHECK(headers == n.allDefs, "the arrays hold every header line");

    model::SourceModel loaded;
    model::LoadText(loaded, bytes ? bytes : std::make_shared<const std::string>());
    FUZZ_CHECK(loaded.counts == n, "LoadText counts as LoadLines");
    bool same = true;
    for (int k = 0; k < 4; ++k) same = same && std::ranges::equal(loaded.CategoryArray(k), m.CategoryArray(k));
    FUZZ_CHECK(same, "LoadText fills the arrays as LoadLines");
}

// Add All, then the collection: every block with a keyword, once, in
// working-line order.
void CheckCollectAll(Session& s, testing::FakeHost& host, const selection::RefreshContext& context) {
    selection::Clear(s.selection, s.source);
    selection::AddAll(s.selection, s.source, host, context);
    s.output = {};
    exports::CollectListedBlocks(s.source, s.selection, s.output, host);
    const auto& working = s.source.workingLines;
    std::vector<std::string_view> expected;
    for (std::size_t i = 0; i < working.size(); ++i) {
        if (!model::IsHeaderLine(working[i]) || model::HeaderName(working[i]).empty()) continue;
        const std::size_t end = model::WorkingBlockEnd(s.source, i);
        expected.insert(expected.end(), working.begin() + static_cast<std::ptrdiff_t>(i),
                        working.begin() + static_cast<std::ptrdiff_t>(end));
    }
    const auto count = static_cast<std::size_t>(s.output.Count());
    FUZZ_CHECK(count == expected.size(), "--all collects every block once");
    for (std::size_t i = 0; i < count; ++i)
        FUZZ_CHECK(s.output[i] == expected[i], "--all collects the blocks in order");
    s.output = {};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char name[] = "/tmp/quillset_fuzz_source_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    sourcePath = name;
    std::atexit([] { std::remove(sourcePath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in = fuzz::Split(data, size);
    const std::uint8_t c = in.control;
    if ((c & 0x80) && in.text.bytes) in.text = platform::SplitText(Expanded(*in.text.bytes));
    const std::shared_ptr<const std::string> bytes = in.text.bytes;
    const model::CategoryChoice choice{(c & 1) != 0, (c & 2) != 0, (c & 4) != 0, (c & 8) != 0};

    Session s;
    testing::FakeHost host;
    const model::SourceCounts counts = model::CountLines(in.text.bytes ? *in.text.bytes : std::string());
    model::LoadLines(s.source, in.text);
    fuzz::Require(s.source.counts == counts);
    CheckCounts(s.source, bytes);
    model::BuildWorkingLines(s.source, choice);
    s.selection.keywords.available = model::FillAvailableKeywords(s.source);
    const std::size_t total = KeywordTotal(s);

    // The list read straight from the file is the same.
    if (platform::WriteBytes(sourcePath, in.text.bytes ? *in.text.bytes : std::string())) {
        const auto scanned = model::ScanKeywords(host, sourcePath, choice);
        fuzz::Require(scanned && scanned->keywords == s.selection.keywords.available);
    }
    // A repeated input is there for the readers; the commands would only slow it.
    if (c & 0x80) return 0;

    const auto& working = s.source.workingLines;
    for (std::size_t i = 0; i + 1 < working.size(); ++i)
        if (model::IsHeaderLine(working[i]))
            fuzz::Require(model::WorkingBlockEnd(s.source, i) <= working.size());

    const selection::RefreshContext context{sourcePath, choice};
    const std::size_t n = s.selection.keywords.available.size();
    if (n > 0) {
        // The list hands over distinct rows in ascending order.
        const std::set<std::size_t> rows{0, n / 2, n - 1};
        selection::Add(s.selection, s.source, host, context, {rows.begin(), rows.end()});
    }
    fuzz::Require(KeywordTotal(s) == total);
    selection::SortHeaderList(s.selection.headerList, (c >> 4) & 1);
    exports::CollectListedBlocks(s.source, s.selection, s.output, host);
    if (!s.selection.keywords.selected.empty())
        selection::Grep(s.selection, s.source, host, context, s.selection.keywords.selected.front().substr(0, 2));
    selection::Swap(s.selection, s.source, host, context);
    fuzz::Require(KeywordTotal(s) == total);
    if (!s.selection.keywords.selected.empty()) selection::Remove(s.selection, s.source, host, context, {0});
    if (c & 0x20) selection::AddAll(s.selection, s.source, host, context);
    fuzz::Require(KeywordTotal(s) == total);
    selection::SortHeaderList(s.selection.headerList, (c >> 6) & 1);
    exports::CollectListedBlocks(s.source, s.selection, s.output, host);
    selection::Clear(s.selection, s.source);
    fuzz::Require(s.selection.keywords.selected.empty() && KeywordTotal(s) == total);
    if (n > 0) CheckCollectAll(s, host, context);
    return 0;
}
