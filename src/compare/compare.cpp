#include "compare/compare.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <unordered_map>

#include "model/definition_blocks.h"
#include "model/line_scanner.h"
#include "model/source_model.h"
#include "model/view_table.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::compare {

namespace {

template <class Lines>
std::vector<std::string_view> Slice(const Lines& lines, std::size_t begin, std::size_t end) {
    std::vector<std::string_view> out;
    out.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i) out.emplace_back(lines[i]);
    return out;
}

// Whether lines [cb, ce) of `control` and [tb, te) of `test` hold the same
// non-empty lines in the same order.
template <class A, class B>
bool SameNonEmptyLines(const A& control, std::size_t cb, std::size_t ce, const B& test, std::size_t tb,
                       std::size_t te) {
    for (;;) {
        while (cb < ce && std::string_view(control[cb]).empty()) ++cb;
        while (tb < te && std::string_view(test[tb]).empty()) ++tb;
        if (cb == ce || tb == te) return cb == ce && tb == te;
        if (std::string_view(control[cb++]) != std::string_view(test[tb++])) return false;
    }
}

// Compares control blocks with test blocks when many test headers may share
// one long control block: its end is found once, and from its second use on
// its non-empty lines are listed, so each further comparison costs no more
// than the test block.
class ControlBlocks {
public:
    ControlBlocks(const model::SourceModel& source, const TestFile& test) : source_(source), test_(test) {}

    bool Same(std::size_t controlLine, std::size_t testLine) {
        const std::size_t tb = testLine + 1;
        const std::size_t te = test_.BlockEnd(testLine);
        const auto [it, isNew] = blocks_.try_emplace(controlLine);
        Block& block = it->second;
        if (isNew) {
            block.end = model::WorkingBlockEnd(source_, controlLine);
            return SameNonEmptyLines(source_.workingLines, controlLine + 1, block.end, test_.lines, tb, te);
        }
        if (!block.listed) {
            for (std::size_t i = controlLine + 1; i < block.end; ++i)
                if (!std::string_view(source_.workingLines[i]).empty()) block.nonEmpty.push_back(i);
            block.listed = true;
        }
        std::size_t k = 0;
        for (std::size_t t = tb; t < te; ++t) {
            const std::string_view line = test_.lines[t];
            if (line.empty()) continue;
            if (k == block.nonEmpty.size() || std::string_view(source_.workingLines[block.nonEmpty[k++]]) != line)
                return false;
        }
        return k == block.nonEmpty.size();
    }

private:
    struct Block {
        std::size_t end = 0;
        bool listed = false;
        std::vector<std::size_t> nonEmpty;
    };
    const model::SourceModel& source_;
    const TestFile& test_;
    std::unordered_map<std::size_t, Block> blocks_;  // by header line
};

std::span<const std::string_view> Body(const std::vector<std::string_view>& block) {
    return block.empty() ? std::span<const std::string_view>() : std::span(block).subspan(1);
}

// The control block's header line still stands where the comparison found
// it; otherwise (the source was processed again since) the row's occurrence
// of its header, or the first.
std::size_t ControlStart(const model::SourceModel& source, const Comparison& cmp, const CompareRow& row) {
    const auto& lines = source.workingLines;
    if (row.controlLine == kNone) return kNone;
    if (lines.size() == cmp.workingSize && row.controlLine < lines.size()) {
        const std::string_view at = lines[row.controlLine];
        if (HeaderContains(at, row.header) || model::EqualsIgnoringCase(at, row.header))
            return row.controlLine;
    }
    std::size_t first = kNone, k = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() || !model::EqualsIgnoringCase(line, row.header)) continue;
        if (k++ == row.occurrence) return i;
        if (first == kNone) first = i;
    }
    return first;
}

}  // namespace

std::string_view StatusText(Status status) {
    switch (status) {
        case Status::TestOnly: return kTestOnlyText;
        case Status::Identical: return kIdenticalText;
        case Status::Different: return kDifferentText;
        case Status::ControlOnly: return kControlOnlyText;
    }
    return {};
}

std::size_t TestFile::BlockEnd(std::size_t header) const {
    const std::size_t last = lines.empty() ? 0 : lines.size() - 1;  // the closing entry
    std::size_t end = header + 1;
    while (end < last && !model::IsHeaderLine(lines[end])) ++end;
    return end;
}

std::unique_ptr<TestFile> ReadTestFile(Host& host, const std::string& path) {
    auto read = platform::ReadFileBytes(path);
    if (!read.ok) {
        host.Inform("Unable to read " + path + ": " + read.error);
        return nullptr;
    }
    // Cleaning only drops trailing bytes, so each cleaned line is a view into
    // the bytes as read.
    auto file = std::make_unique<TestFile>();
    file->path = path;
    file->bytes = std::make_shared<const std::string>(std::move(read.bytes));
    const std::string_view bytes = *file->bytes;
    file->lines.reserve(platform::LineCount(bytes) + 1);
    model::ScanLines(bytes, [&](std::string_view raw, bool header) {
        if (header) file->headers.push_back(file->lines.size());
        file->lines.push_back(model::TrimLineEnd(raw));
    });
    file->lines.emplace_back();
    return file;
}

std::vector<Pairing> PairByOccurrence(std::span<const std::string_view> controls,
                                      std::span<const std::string_view> tests) {
    // The controls grouped by their text ignoring case, each group's members
    // in order in one array.
    model::ViewTable<std::size_t, true> groupOf(controls.size());
    std::vector<std::size_t> group(controls.size());
    std::vector<std::size_t> begin;  // per group, then one past the last
    std::size_t j = 0;
    groupOf.ForEachPrefetched(controls, [&](std::string_view text, std::uint64_t hash) {
        const auto [g, isNew] = groupOf.Insert(text, hash);
        if (isNew) {
            *g = begin.size();
            begin.push_back(0);
        }
        ++begin[*g];
        group[j++] = *g;
    });
    std::size_t total = 0;
    for (std::size_t& b : begin) total += std::exchange(b, total);
    begin.push_back(total);
    std::vector<std::size_t> members(controls.size());
    std::vector<std::size_t> seen(begin.size() - 1, 0);
    for (j = 0; j < controls.size(); ++j) members[begin[group[j]] + seen[group[j]]++] = j;

    std::fill(seen.begin(), seen.end(), 0);
    std::vector<Pairing> pairs(tests.size());
    std::size_t i = 0;
    groupOf.ForEachPrefetched(tests, [&](std::string_view text, std::uint64_t hash) {
        Pairing& pair = pairs[i++];
        const std::size_t* g = groupOf.Find(text, hash);
        if (!g) return;
        pair.occurrence = seen[*g]++;
        const std::size_t count = begin[*g + 1] - begin[*g];
        pair.control = members[begin[*g] + (pair.occurrence < count ? pair.occurrence : 0)];
    });
    return pairs;
}

bool BlocksIdentical(std::span<const std::string_view> controlBody,
                     std::span<const std::string_view> testBody) {
    return SameNonEmptyLines(controlBody, 0, controlBody.size(), testBody, 0, testBody.size());
}

std::vector<std::string_view> ControlBlock(const model::SourceModel& source, const Comparison& cmp,
                                           const CompareRow& row) {
    const std::size_t start = ControlStart(source, cmp, row);
    if (start == kNone) return {};
    return Slice(source.workingLines, start, model::WorkingBlockEnd(source, start));
}

std::vector<std::string_view> TestBlock(const Comparison& cmp, const CompareRow& row) {
    const TestFile& test = cmp.test;
    if (row.testLine == kNone || row.testLine >= test.lines.size()) return {};
    return Slice(test.lines, row.testLine, test.BlockEnd(row.testLine));
}

std::vector<std::size_t> ControlHeaderLines(std::span<const std::string_view> working,
                                            std::span<const std::string_view> controls) {
    std::vector<std::size_t> controlAt(controls.size(), kNone);
    for (std::size_t i = 0, k = 0; i < working.size() && k < controls.size(); ++i) {
        if (working[i] == controls[k]) controlAt[k++] = i;
    }
    return controlAt;
}

void CompareFiles(const model::SourceModel& source, std::span<const std::string_view> selectedHeaders,
                  Comparison& cmp, ProgressMeter* meter) {
    const auto& working = source.workingLines;
    const TestFile& test = cmp.test;
    cmp.rows.clear();
    cmp.counts = {};
    cmp.workingSize = working.size();
    cmp.sourceBytes = source.bytes;

    std::vector<std::string_view> testHeaders;
    testHeaders.reserve(test.headers.size());
    for (const std::size_t at : test.headers) testHeaders.push_back(test.lines[at]);
    // Slot 0 of SelectedHeaders is always empty and has no row.
    const std::span<const std::string_view> slots = selectedHeaders;
    const auto controls = slots.empty() ? slots : slots.subspan(1);

    const std::vector<std::size_t> controlAt = ControlHeaderLines(working, controls);
    const std::vector<Pairing> paired = PairByOccurrence(controls, testHeaders);

    const Containment found = FindContainers(controls, testHeaders);
    const std::size_t h = testHeaders.size();
    ControlBlocks controlBlocks(source, test);
    cmp.rows.reserve(h + controls.size());
    for (std::size_t i = 0; i < h; ++i) {
        if (meter) meter->At(i);
        CompareRow row;
        row.header = testHeaders[i];
        row.number = i;
        row.testLine = test.headers[i];
        const std::size_t j = found.firstContainer[i];
        if (j == kNone) {
            row.status = Status::TestOnly;
            ++cmp.counts.testOnly;
        } else {
            // Contained only: the block under the containing header.
            row.controlLine = controlAt[paired[i].control != kNone ? paired[i].control : j];
            row.occurrence = paired[i].occurrence;
            if (controlBlocks.Same(row.controlLine, row.testLine)) {
                row.status = Status::Identical;
                ++cmp.counts.identical;
            } else {
                row.status = Status::Different;
                ++cmp.counts.different;
            }
        }
        cmp.rows.push_back(std::move(row));
    }
    for (std::size_t j = 0; j < controls.size(); ++j) {
        if (found.holdsAPart[j]) continue;
        CompareRow row;
        row.header = controls[j];
        row.status = Status::ControlOnly;
        row.number = h + 2 + j;  // h + 1 + its slot in SelectedHeaders
        // Its own block: a header listed twice appends both blocks.
        row.controlLine = controlAt[j];
        ++cmp.counts.controlOnly;
        cmp.rows.push_back(std::move(row));
    }
}

CompareOutcome RunComparison(Comparison& comparison, selection::Selection& selection,
                             const model::SourceModel& source, Host& host, const std::string& sourceName,
                             const std::string& testName) {
    if (!platform::FileExists(testName)) {
        host.Inform(kVictimNotFound);
        return CompareOutcome::NotFound;
    }
    if (sourceName == testName) {
        ClearRows(comparison);
        host.Inform(kSameFiles);
        return CompareOutcome::SameFile;
    }
    std::unique_ptr<TestFile> test = ReadTestFile(host, testName);
    if (!test) {
        ClearRows(comparison);
        return CompareOutcome::Unreadable;
    }
    // Built beside the last comparison and moved in when complete.
    Comparison next;
    next.test = std::move(*test);
    next.sortColumn = comparison.sortColumn;
    next.ascending = comparison.ascending;
    model::Lines selected = selection::SelectedHeadersOf(selection, source, host, source.workingLines);
    {
        ProgressMeter meter(host, "Comparing with " + testName, next.test.headers.size());
        CompareFiles(source, selected, next, &meter);
    }
    selection.selectedHeaders = std::move(selected);
    comparison = std::move(next);
    return CompareOutcome::Compared;
}

bool ComparesOnChange(const std::string& testName) {
    return !model::EqualsIgnoringCase(testName, kVictimPrompt) && platform::FileExists(testName);
}

void ClearRows(Comparison& comparison) {
    comparison.rows.clear();
    comparison.sorted = false;
}

void SortComparison(Comparison& comparison, int column) {
    comparison.ascending = !comparison.ascending;
    comparison.sortColumn = column;
    comparison.sorted = true;
}

std::vector<std::size_t> Comparison::DisplayOrder() const {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (!sorted) return order;
    auto less = [this](std::size_t a, std::size_t b) {
        const CompareRow& x = rows[a];
        const CompareRow& y = rows[b];
        switch (sortColumn) {
            case 0: return model::CompareIgnoringCase(x.header, y.header) < 0;
            case 1: return model::CompareIgnoringCase(StatusText(x.status), StatusText(y.status)) < 0;
            default: return x.number < y.number;  // past 9999 as well
        }
    };
    if (ascending)
        std::stable_sort(order.begin(), order.end(), less);
    else
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return less(b, a); });
    return order;
}

std::vector<KeyDifference> DiffByKey(std::span<const std::string_view> controlBody,
                                     std::span<const std::string_view> testBody) {
    struct Setting {
        std::string_view key, value, line;
        bool matched = false;
    };
    auto parse = [](std::span<const std::string_view> body) {
        std::vector<Setting> out;
        for (const std::string_view line : body) {
            if (line.empty()) continue;
            const auto eq = line.find('=');
            if (eq == std::string_view::npos)
                out.push_back({model::Trim(line), {}, line});
            else
                out.push_back({model::Trim(line.substr(0, eq)), line.substr(eq + 1), line});
        }
        return out;
    };
    std::vector<Setting> control = parse(controlBody);
    std::vector<Setting> test = parse(testBody);
    // The k-th setting of a key in one block pairs with the k-th in the other.
    std::unordered_map<std::string_view, std::vector<std::size_t>> testByKey;
    for (std::size_t i = 0; i < test.size(); ++i) testByKey[test[i].key].push_back(i);
    std::unordered_map<std::string_view, std::size_t> seen;

    std::vector<KeyDifference> changed, controlOnly, testOnly, blanks;
    for (Setting& c : control) {
        const std::size_t k = seen[c.key]++;
        const auto it = testByKey.find(c.key);
        if (it == testByKey.end() || k >= it->second.size()) {
            controlOnly.push_back({KeyDifference::Kind::ControlOnly, std::string(c.key), std::string(c.line), {}});
            continue;
        }
        Setting& t = test[it->second[k]];
        t.matched = true;
        if (c.value != t.value)
            changed.push_back({KeyDifference::Kind::Changed, std::string(c.key), std::string(c.value),
                               std::string(t.value)});
        else if (c.line != t.line)
            blanks.push_back({KeyDifference::Kind::Blanks, std::string(c.key), std::string(c.line), std::string(t.line)});
    }
    for (const Setting& t : test) {
        if (!t.matched)
            testOnly.push_back({KeyDifference::Kind::TestOnly, std::string(t.key), {}, std::string(t.line)});
    }
    changed.insert(changed.end(), controlOnly.begin(), controlOnly.end());
    changed.insert(changed.end(), testOnly.begin(), testOnly.end());
    changed.insert(changed.end(), blanks.begin(), blanks.end());
    if (changed.empty() && !BlocksIdentical(controlBody, testBody)) changed.push_back({KeyDifference::Kind::Order, {}, {}, {}});
    return changed;
}

std::string_view KindWord(KeyDifference::Kind kind) {
    switch (kind) {
        case KeyDifference::Kind::Changed: return "changed";
        case KeyDifference::Kind::ControlOnly: return "control only";
        case KeyDifference::Kind::TestOnly: return "test only";
        case KeyDifference::Kind::Blanks: return "blanks only";
        case KeyDifference::Kind::Order: return "order only";
    }
    return {};
}

std::string DescribeDifferences(const std::vector<KeyDifference>& differences) {
    std::string text;
    for (const KeyDifference& d : differences) {
        if (!text.empty()) text += '\n';
        switch (d.kind) {
            case KeyDifference::Kind::Changed:
                text += "Changed: " + d.key + " (control \"" + d.control + "\", test \"" + d.test + "\")";
                break;
            case KeyDifference::Kind::ControlOnly: text += "Only in control: " + d.control; break;
            case KeyDifference::Kind::TestOnly: text += "Only in test: " + d.test; break;
            case KeyDifference::Kind::Blanks:
                text += "Blanks differ: " + d.key + " (control \"" + d.control + "\", test \"" + d.test + "\")";
                break;
            case KeyDifference::Kind::Order: text += "The same settings in another order"; break;
        }
    }
    return text;
}

std::vector<KeyDifference> RowDifferences(const model::SourceModel& source, const Comparison& cmp,
                                          const CompareRow& row) {
    const auto control = ControlBlock(source, cmp, row);
    const auto test = TestBlock(cmp, row);
    if (control.empty() || test.empty()) return {};
    return DiffByKey(Body(control), Body(test));
}

}  // namespace quillset::compare
