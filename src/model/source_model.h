#pragma once
// The source model: per-category counts and line arrays of the source file,
// the working lines the functions act on, and the header list from which the
// Available Keywords are drawn. Replaced, never merged, by each analysis.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

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

enum class SourceKind : int { Ini = 0, Csv = 1, Tab = 2 };

// Decided by the last three characters of the name, ignoring case: "csv",
// "txt", anything else INI. No dot is needed before them.
SourceKind SourceKindOf(std::string_view fileName);
// The check boxes a source kind presets.
CategoryChoice PresetFor(SourceKind kind);

struct SourceModel {
    SourceCounts counts;
    bool counted = false;  // counts describe a file (the labels are not blank)
    // Each holds its category's lines in file order (after TrimLineEnd) and
    // one closing empty entry.
    std::vector<std::string> featureLines{std::string()};
    std::vector<std::string> symbolLines{std::string()};
    std::vector<std::string> filterLines{std::string()};
    std::vector<std::string> preferenceLines{std::string()};
    // Ticked category arrays in the order Feature, Symbol, Filter, Preference,
    // each with its closing empty entry, then one more empty entry.
    std::vector<std::string> workingLines{std::string()};
    // Where in workingLines each ticked category's closing empty entry
    // stands, and the final one: ascending. A block ends at the next header
    // line or with the closing entry of its category, so lines kept before
    // the first header never join the block that precedes them here.
    std::vector<std::size_t> workingClosings{0};
    // Every entry of workingLines that is a header once trimmed (stored
    // trimmed), then one empty entry.
    std::vector<std::string> headerList{std::string()};
};

// Called after each header line while counting, so a long count can show
// its progress.
using CountProgress = std::function<void(const SourceCounts&)>;

// The counting pass over lines as read (not cleaned).
SourceCounts CountLines(const std::vector<std::string>& lines, const CountProgress& progress = {});

// Fills the four category arrays of `model` from lines as read: each line is
// cleaned by TrimLineEnd and stored in its category. Sets counts from the
// same lines as read, so an array outgrows its count when cleaning turns a
// line into a header of that category.
void LoadLines(SourceModel& model, const std::vector<std::string>& lines);

// Rebuilds workingLines (and workingClosings) from the ticked categories.
void BuildWorkingLines(SourceModel& model, const CategoryChoice& choice);

// One past the last line of the block whose header stands at `header` in
// model.workingLines: the next header line, or just past the closing entry
// of the header's category (a blank line to the block).
std::size_t WorkingBlockEnd(const SourceModel& model, std::size_t header);

// Rebuilds headerList from workingLines and returns the distinct non-empty
// keywords (exact, case-sensitive de-duplication) in KeywordLess order.
std::vector<std::string> FillAvailableKeywords(SourceModel& model);

// Counts the file at `path` into session.source.counts (the count labels).
// The category arrays, workingLines and headerList are left as the last
// ProcessSource made them: it reads and loads the file afresh, and a recount
// of the same name (Enter, Browse) must not take the data from under a
// selection in progress. A file that cannot be read is reported through the
// host, naming the file, and leaves the model as it was; returns false then.
bool CountSource(Session& session, Host& host, const std::string& path,
                 const CountProgress& progress = {});

// The "Process Source Ini" action on an existing file: empties the keyword
// lists and the header list, reads, counts and loads the source in one go
// (it may have changed since it was counted), builds the working lines from
// `choice` and fills the Available Keywords. A spreadsheet or TAB source is
// first converted into the conversion file, whose text is what gets loaded.
// False (with a message, or after Cancel at the level question) when the
// file could not be read or converted; the previous model then stays.
bool ProcessSource(Session& session, Host& host, SettingsStore& settings, const std::string& path,
                   SourceKind kind,
                   const CategoryChoice& choice, const CountProgress& progress = {});

// ProcessSource for callers that keep everything in memory (the script
// tool): a spreadsheet or TAB source is converted the same way, but no
// conversion file is written.
bool ProcessSourceInMemory(Session& session, Host& host, const std::string& path, SourceKind kind,
                           const CategoryChoice& choice, const CountProgress& progress = {});

}  // namespace quillset::model
