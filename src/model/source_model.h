#pragma once
// The source model: per-category counts and line arrays of the source file,
// the working lines the functions act on, and the header list from which the
// Available Keywords are drawn. Replaced, never merged, by each analysis.
//
// The source's bytes are held once, by the model; every line, header and
// keyword is a view into them. Cleaning (TrimLineEnd) only drops trailing
// bytes and trimming only cuts both ends, so neither needs a copy. An analysis
// replaces the bytes and every view into them together; the bytes sit behind
// a shared pointer, so moving or copying the model keeps the views valid.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "platform/progress.h"
#include "platform/text_file.h"

namespace quillset::model {

struct SourceCounts {
    std::int64_t allLines = 0;
    std::int64_t allDefs = 0;
    std::int64_t featureDefs = 0;
    std::int64_t featureLines = 0;
    std::int64_t symbolDefs = 0;
    std::int64_t symbolLines = 0;
    std::int64_t filterDefs = 0;
    std::int64_t filterLines = 0;
    std::int64_t prefDefs = 0;  // Preference and Wysiwyg headers
    std::int64_t prefLines = 0;  // also every line before the first header
    std::int64_t wysDefs = 0;    // contained in prefDefs
    std::int64_t wysLines = 0;   // contained in prefLines
    bool operator==(const SourceCounts&) const = default;
};

// Which categories the four check boxes tick.
struct CategoryChoice {
    bool feature = true;
    bool symbol = true;
    bool filters = true;
    bool preferences = true;
    bool operator==(const CategoryChoice&) const = default;
};

// "feature,symbol,filter,preference" for the ticked categories.
std::string CategoryWords(const CategoryChoice& categories);

enum class SourceKind : int { Ini = 0, Csv = 1, Tab = 2 };

// Decided by the last three characters of the name, ignoring case: "csv",
// "txt", anything else INI. No dot is needed before them.
SourceKind SourceKindOf(std::string_view fileName);
// The check boxes a source kind presets.
CategoryChoice PresetFor(SourceKind kind);

// Lines as views into bytes held elsewhere (the model's, for its own arrays).
using Lines = std::vector<std::string_view>;

struct SourceModel {
    SourceCounts counts;
    bool counted = false;  // counts describe a file (the labels are not blank)
    // The loaded file's bytes: what every line below looks into.
    std::shared_ptr<const std::string> bytes;
    // The four category arrays in one: Feature, Symbol, Filter, Preference,
    // each its category's lines in file order (after TrimLineEnd) and one
    // closing empty entry, then one more empty entry. Laid out as the working
    // lines with every category ticked, so while all four are ticked (the
    // usual case) workingLines holds them and this is empty: the lines are
    // not held twice.
    Lines categoryLines = Lines(5);
    // Where each category starts in that layout, then where the last entry
    // stands.
    std::array<std::size_t, 5> categoryStarts{0, 1, 2, 3, 4};
    bool workingHoldsAll = false;  // workingLines is the layout above
    // Ticked category arrays in the order Feature, Symbol, Filter, Preference,
    // each with its closing empty entry, then one more empty entry.
    Lines workingLines{std::string_view()};
    // Where in workingLines each ticked category's closing empty entry
    // stands, and the final one: ascending. A block ends at the next header
    // line or with the closing entry of its category, so lines kept before
    // the first header never join the block that precedes them here.
    std::vector<std::size_t> workingClosings{0};
    // Every entry of workingLines that is a header once trimmed (stored
    // trimmed), then one empty entry.
    Lines headerList{std::string_view()};

    // One category's array (0 Feature, 1 Symbol, 2 Filter, 3 Preference)
    // with its closing entry.
    std::span<const std::string_view> CategoryArray(int category) const {
        const Lines& all = workingHoldsAll ? workingLines : categoryLines;
        const std::size_t k = static_cast<std::size_t>(category);
        return std::span<const std::string_view>(all).subspan(categoryStarts[k],
                                                               categoryStarts[k + 1] - categoryStarts[k]);
    }
    std::span<const std::string_view> FeatureLines() const { return CategoryArray(0); }
    std::span<const std::string_view> SymbolLines() const { return CategoryArray(1); }
    std::span<const std::string_view> FilterLines() const { return CategoryArray(2); }
    std::span<const std::string_view> PreferenceLines() const { return CategoryArray(3); }
};

// Called after each header line while counting, so a long count can show
// its progress.
using CountProgress = std::function<void(const SourceCounts&)>;

// The counting pass over the lines of `bytes` as read (not cleaned); no line
// array is built.
SourceCounts CountLines(std::string_view bytes, const CountProgress& progress = {});

// Takes over `text` (a file's bytes and its lines as read) and fills the four
// category arrays of `model`: each line is cleaned by TrimLineEnd and stored
// in its category. Sets counts from the same lines as read, so an array
// outgrows its count when cleaning turns a line into a header of that
// category. The lines of `text` are released once loaded. A meter follows
// the bytes and may stop the load (Cancelled); `model` is then half filled,
// so callers load into a model of their own.
void LoadLines(SourceModel& model, platform::TextLines text, const CountProgress& progress = {},
               ProgressMeter* meter = nullptr);

// LoadLines for a file's bytes as read, split as they are loaded: no line
// index is built beside the arrays.
void LoadText(SourceModel& model, std::shared_ptr<const std::string> bytes,
              const CountProgress& progress = {}, ProgressMeter* meter = nullptr);

// Rebuilds workingLines (and workingClosings) from the ticked categories, in
// place: views only, and no second array alongside the old one. With all
// four ticked the category arrays themselves become the working lines.
void BuildWorkingLines(SourceModel& model, const CategoryChoice& choice);

// One past the last line of the block whose header stands at `header` in
// model.workingLines: the next header line, or just past the closing entry
// of the header's category (a blank line to the block).
std::size_t WorkingBlockEnd(const SourceModel& model, std::size_t header);

// Rebuilds headerList from workingLines and returns the distinct non-empty
// keywords (exact, case-sensitive de-duplication) in KeywordLess order, as
// views into the model's bytes.
Lines FillAvailableKeywords(SourceModel& model);

// Keywords with the names they look into. Moving keeps the views valid (a
// deque's elements stay where they are); a copy's views would look into the
// original's names, so there is none.
struct KeywordList {
    KeywordList() = default;
    KeywordList(KeywordList&&) = default;
    KeywordList& operator=(KeywordList&&) = default;
    KeywordList(const KeywordList&) = delete;
    KeywordList& operator=(const KeywordList&) = delete;

    std::deque<std::string> storage;
    Lines keywords;
};
// The Available Keywords that ProcessSource would fill for the INI file at
// `path` with `choice`, for a caller that wants nothing else of the file (the
// script tool's keyword list): the file is read in blocks, only the lines
// holding "[" are looked at, and nothing of it is kept but the distinct
// names. nullopt after a message naming the file when it cannot be read.
std::optional<KeywordList> ScanKeywords(Host& host, const std::string& path, const CategoryChoice& choice);

// The counts of the INI file at `path`, read in blocks: no line array is
// built and nothing of the file is kept. nullopt after a message naming the
// file when it cannot be read.
std::optional<SourceCounts> CountFile(Host& host, const std::string& path, const CountProgress& progress = {});

// Counts the file at `path` into model.counts (the count labels). The
// category arrays, workingLines and headerList are left as the last
// ProcessSource made them: it reads and loads the file afresh, and a recount
// of the same name (Enter, Browse) must not take the data from under a
// selection in progress. A file that cannot be read is reported through the
// host, naming the file, and leaves the model as it was; returns false then.
bool CountSource(SourceModel& model, Host& host, const std::string& path,
                 const CountProgress& progress = {});

// Turns a spreadsheet or TAB source's lines into the INI lines to load;
// nullopt stops the load (cancelled, or not kept, after a message).
using Converter = std::function<std::optional<std::vector<std::string>>(std::span<const std::string_view>)>;

// Reads the file at `path`, counts and loads it in one go and builds the
// working lines from `choice`. A spreadsheet or TAB source is first turned
// into INI lines by `convert` (ConvertSourceLines when empty). nullopt when
// the file could not be read (after a message naming it) or converted.
std::optional<SourceModel> LoadSourceFile(Host& host, const std::string& path, SourceKind kind,
                                          const CategoryChoice& choice, const Converter& convert = {},
                                          const CountProgress& progress = {});

}  // namespace quillset::model
