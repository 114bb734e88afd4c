#pragma once
// Comparing the selected control blocks with a test file, block by block:
// the test file read once, the comparison rows with their statuses and
// "Line #" keys, the four counters and the list's column sort.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compare/containment.h"
#include "platform/host.h"
#include "platform/progress.h"
#include "model/definition_blocks.h"
#include "model/source_model.h"
#include "selection/keywords.h"


namespace quillset::compare {

inline constexpr std::string_view kTestOnlyText = "TEST .ini Only";
inline constexpr std::string_view kIdenticalText = "Both: Identical";
inline constexpr std::string_view kDifferentText = "Both: Different";
inline constexpr std::string_view kControlOnlyText = "Control ini Only";
inline constexpr std::string_view kVictimNotFound = "Victim File Not Found";
inline constexpr std::string_view kSameFiles =
    "Source and Victim files are identical.  Please select a new Victim file.";
inline constexpr std::string_view kVictimPrompt = "key in here or click -->";

enum class Status { TestOnly, Identical, Different, ControlOnly };
std::string_view StatusText(Status status);

// The test file, read once: its bytes and one view per line.
struct TestFile {
    std::string path;
    // Shared, so moving or copying the file keeps the views valid.
    std::shared_ptr<const std::string> bytes;
    // Every line after TrimLineEnd, then one empty entry.
    std::vector<std::string_view> lines;
    // Where the header lines stand in `lines`, in file order.
    std::vector<std::size_t> headers;

    // One past the last line of the block whose header is lines[header]: the
    // next header line or the closing empty entry.
    std::size_t BlockEnd(std::size_t header) const;
};

struct CompareRow {
    // The header line the row stands for, as stored: a view into the test
    // file's bytes or the compared source's.
    std::string_view header;
    Status status = Status::TestOnly;
    std::size_t number = 0;  // "Line #" is OrderKey(number)
    // Test rows: the row's own header line in the test lines.
    std::size_t testLine = kNone;
    // Both and control-only rows: the control block's header line in the
    // working lines the comparison ran on.
    std::size_t controlLine = kNone;
    // Both rows: which occurrence of its header (ignoring case) the test
    // header is, from 0; finds the paired block again in working lines
    // processed since.
    std::size_t occurrence = 0;
};

struct CompareCounts {
    std::int64_t controlOnly = 0;
    std::int64_t testOnly = 0;
    std::int64_t identical = 0;
    std::int64_t different = 0;
    bool operator==(const CompareCounts&) const = default;
};

struct Comparison {
    TestFile test;
    std::vector<CompareRow> rows;  // in comparison order
    // The source's bytes the rows were compared with, kept while the rows
    // look into them, even after the source is processed again.
    std::shared_ptr<const std::string> sourceBytes;
    CompareCounts counts;
    std::size_t workingSize = 0;  // size of the working lines controlLine refers to
    // The list's sort: one direction for the whole list.
    bool sorted = false;
    int sortColumn = 0;  // 0 "Header", 1 "Header Location", 2 "Line #"
    bool ascending = true;

    // Row indices in the order the list shows them: comparison order while
    // unsorted, else a stable sort on the sort column ("Line #" by number).
    std::vector<std::size_t> DisplayOrder() const;
};

// Reads the file into one buffer with a view per line. An unreadable file is
// reported through the host, naming it and the reason; nullptr then.
std::unique_ptr<TestFile> ReadTestFile(Host& host, const std::string& path);

// Index of the first non-empty line equal to `line` ignoring case, or -1.
template <class Lines>
std::ptrdiff_t FindLine(const Lines& lines, std::string_view line);

// Which control header each test header's block is judged and reset
// against: the k-th test header equal to a text ignoring case pairs with the
// k-th control header equal to it, or with the first where the controls hold
// fewer. `control` indexes `controls` (kNone where none is equal);
// `occurrence` is k.
struct Pairing {
    std::size_t control = kNone;
    std::size_t occurrence = 0;
};
std::vector<Pairing> PairByOccurrence(std::span<const std::string_view> controls,
                                      std::span<const std::string_view> tests);

// True when both bodies hold the same non-empty lines in the same order.
bool BlocksIdentical(std::span<const std::string_view> controlBody,
                     std::span<const std::string_view> testBody);

// The control block a row stands for, whole: header line first. Empty for a
// test-only row, or when the working lines no longer hold it.
std::vector<std::string_view> ControlBlock(const model::SourceModel& source, const Comparison& cmp,
                                           const CompareRow& row);
// The row's own test block, whole; empty for a control-only row.
std::vector<std::string_view> TestBlock(const Comparison& cmp, const CompareRow& row);

// Where each control header stands in the working lines: SelectedHeaders
// (without slot 0) is the subsequence of the working lines' header lines with
// a selected keyword, so the first equal line after the last match is the
// one it was collected from. kNone for a header not found.
std::vector<std::size_t> ControlHeaderLines(std::span<const std::string_view> working,
                                            std::span<const std::string_view> controls);

// Fills the rows and counters of `cmp` (its test file set) from
// `selectedHeaders` (slot 0 empty) against `source`'s working lines; a
// meter counts the test headers and may stop it half done (Cancelled).
void CompareFiles(const model::SourceModel& source, std::span<const std::string_view> selectedHeaders,
                  Comparison& cmp, ProgressMeter* meter = nullptr);

enum class CompareOutcome { NotFound, SameFile, Unreadable, Compared };

// The run started from the test file name box: checks the names, reads the
// test file, collects the selected headers and compares. Messages go to the
// host; only Compared leaves rows to act on. The new comparison is built
// beside the last one, so when memory runs out (std::bad_alloc passes on) or
// the user cancels (Cancelled) `comparison` keeps its rows and `selection`
// its selected headers.
CompareOutcome RunComparison(Comparison& comparison, selection::Selection& selection,
                             const model::SourceModel& source, Host& host, const std::string& sourceName,
                             const std::string& testName);

// Whether a new text of the test file name box starts a comparison by
// itself: it names an existing file and is not the box's prompt.
bool ComparesOnChange(const std::string& testName);

// Removes the rows (the counters and the test lines stay).
void ClearRows(Comparison& comparison);

// A click on a column heading of the comparison list.
void SortComparison(Comparison& comparison, int column);

// Settings that differ between two blocks, paired by key (the text before
// the first "=", trimmed) and, for a key that repeats, by occurrence.
// Two blocks that differ in no value are told apart by what does differ:
// Blanks for a setting whose line differs only in blanks around its key,
// and, when nothing else differs, one Order entry for settings in another
// order.
struct KeyDifference {
    enum class Kind { Changed, ControlOnly, TestOnly, Blanks, Order };
    Kind kind = Kind::Changed;
    std::string key;
    std::string control;  // Changed: the values; Order: nothing; otherwise the whole line
    std::string test;
    bool operator==(const KeyDifference&) const = default;
};
// "changed", "control only", "test only", "blanks only", "order only".
std::string_view KindWord(KeyDifference::Kind kind);
std::vector<KeyDifference> DiffByKey(std::span<const std::string_view> controlBody,
                                     std::span<const std::string_view> testBody);
// One line per difference, for the comparison list's tool tip.
std::string DescribeDifferences(const std::vector<KeyDifference>& differences);
// DiffByKey of a row's two blocks (empty unless both exist).
std::vector<KeyDifference> RowDifferences(const model::SourceModel& source, const Comparison& cmp,
                                          const CompareRow& row);

template <class Lines>
std::ptrdiff_t FindLine(const Lines& lines, std::string_view line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view entry = lines[i];
        if (!entry.empty() && model::EqualsIgnoringCase(entry, line)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace quillset::compare
