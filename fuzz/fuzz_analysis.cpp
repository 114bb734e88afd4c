// The source analysis under every category choice (and the keyword list read
// straight from the file), then the keyword commands and the block
// collection over what it produced.

#include <cstdio>
#include <set>
#include <string>
#include <unistd.h>

#include "exports/ini_subset.h"
#include "fuzz_input.h"
#include "model/definition_blocks.h"
#include "model/source_model.h"
#include "selection/keywords.h"
#include "session.h"
#include "support/fake_host.h"

using namespace quillset;

namespace {

// The commands check that the source still exists; one real file serves all runs.
std::string sourcePath;

std::size_t KeywordTotal(const Session& s) {
    return s.keywords.available.size() + s.keywords.selected.size();
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
    const fuzz::FuzzInput in = fuzz::Split(data, size);
    const std::uint8_t c = in.control;
    const model::CategoryChoice choice{(c & 1) != 0, (c & 2) != 0, (c & 4) != 0, (c & 8) != 0};

    Session s;
    testing::FakeHost host;
    const model::SourceCounts counts = model::CountLines(in.text.bytes ? *in.text.bytes : std::string());
    model::LoadLines(s.source, in.text);
    fuzz::Require(s.source.counts == counts);
    model::BuildWorkingLines(s.source, choice);
    s.keywords.available = model::FillAvailableKeywords(s.source);
    const std::size_t total = KeywordTotal(s);

    // The list read straight from the file is the same.
    if (platform::WriteBytes(sourcePath, in.text.bytes ? *in.text.bytes : std::string())) {
        const auto scanned = model::ScanKeywords(host, sourcePath, choice);
        fuzz::Require(scanned && scanned->keywords == s.keywords.available);
    }

    const auto& working = s.source.workingLines;
    for (std::size_t i = 0; i + 1 < working.size(); ++i)
        if (model::IsHeaderLine(working[i]))
            fuzz::Require(model::WorkingBlockEnd(s.source, i) <= working.size());

    const selection::RefreshContext context{sourcePath, choice};
    const std::size_t n = s.keywords.available.size();
    if (n > 0) {
        // The list hands over distinct rows in ascending order.
        const std::set<std::size_t> rows{0, n / 2, n - 1};
        selection::Add(s, host, context, {rows.begin(), rows.end()});
    }
    fuzz::Require(KeywordTotal(s) == total);
    selection::SortHeaderList(s, (c >> 4) & 1);
    exports::CollectListedBlocks(s, host);
    if (!s.keywords.selected.empty())
        selection::Grep(s, host, context, s.keywords.selected.front().substr(0, 2));
    selection::Swap(s, host, context);
    fuzz::Require(KeywordTotal(s) == total);
    if (!s.keywords.selected.empty()) selection::Remove(s, host, context, {0});
    if (c & 0x20) selection::AddAll(s, host, context);
    fuzz::Require(KeywordTotal(s) == total);
    selection::SortHeaderList(s, (c >> 6) & 1);
    exports::CollectListedBlocks(s, host);
    selection::Clear(s);
    fuzz::Require(s.keywords.selected.empty() && KeywordTotal(s) == total);
    return 0;
}
