#pragma once
// The Available and Selected Keywords lists, the rule that matches block
// headers against the selection, and the sortable header list. Every command
// moves keywords between the two lists and never copies one, so each keyword
// stands in exactly one of them.
//
// The window only reflects what these return: the lists (always sorted by
// model::KeywordLess), the header list rows in display order, and whether
// the function controls are to be enabled or disabled.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "model/source_model.h"

namespace quillset::selection {

// Keywords are views into the source's bytes.
struct KeywordLists {
    model::Lines available;  // sorted by model::KeywordLess
    model::Lines selected;   // sorted by model::KeywordLess
    // Number of Selected Keywords at the last CheckGrepChange; the full count,
    // so a selection of 65,536 keywords does not wrap round to 0.
    std::size_t lastGrepCount = 0;
};

// 24 bytes: a header list holds a row per selected block.
struct HeaderRow {
    std::string_view header;  // column 0: the header line as stored
    // Its slot in SelectedHeaders; column 1 shows it as Order().
    std::uint32_t slot = 0;
    // Where the header stands in the working lines the list was built from
    // (they are rebuilt only with the list, or with a new source that empties
    // it), so duplicated blocks each export once and no header is searched
    // for.
    std::uint32_t line = 0;
    std::string Order() const;  // OrderKey(slot)
};

struct HeaderList {
    std::vector<HeaderRow> rows;  // in the order they were added
    bool sorted = false;
    int sortColumn = 0;  // 0 header, 1 order
    bool ascending = true;

    // Row indices in the order the view shows them: insertion order while
    // unsorted, else a stable sort on the sort column, the header ignoring
    // case and the order numerically.
    std::vector<std::size_t> DisplayOrder() const;
};

// The selection made on one processed source: both keyword lists, the
// header list and the header lines it matched.
struct Selection {
    KeywordLists keywords;
    HeaderList headerList;
    // Slot 0 always empty; slots 1..n hold matched header lines as stored
    // (views into the source's bytes).
    model::Lines selectedHeaders{std::string_view()};
};

enum class FunctionSwitch { Unchanged, Enable, Disable };

// What a keyword command asks of the window besides showing the new lists.
struct CommandResult {
    FunctionSwitch functions = FunctionSwitch::Unchanged;
    bool clearResizePreview = false;  // empty the text-resize preview list
    bool refreshed = false;           // header list rebuilt (the view is enabled)
    bool headerListChanged = false;   // rows changed: repaint the header list
    bool sourceMissing = false;       // focus back to the source file name box
};

// What a refresh of the matching headers needs from the window.
struct RefreshContext {
    std::string sourcePath;          // text of the source file name box
    model::CategoryChoice categories;  // the category check boxes
    // Whether a refresh fills the header list's rows: a caller that never
    // shows the list (the script tool) gets the selected headers alone.
    bool headerList = true;
};

inline constexpr std::string_view kEmptySelectionMessage =
    "Please select at least one Keyword from the Available Keywords list.";
inline constexpr std::string_view kInvalidSourceMessage = "Invalid source.ini, exiting...";
// The check every command that reads the source's blocks makes first: false,
// after kInvalidSourceMessage, when the source file is no longer there.
bool SourceStillThere(Host& host, const std::string& sourcePath);

// n in decimal, zero-padded to four characters.
std::string OrderKey(std::int64_t n);

// Fills selection.selectedHeaders with every header line of `lines` whose
// keyword equals a Selected Keyword exactly, in line order.
void CollectSelectedHeaders(Selection& selection, const model::SourceModel& source, Host& host,
                            const model::Lines& lines);
// What CollectSelectedHeaders would store, leaving the selection alone. With
// `at`, also where in `lines` each entry stands (0 for the empty first one).
model::Lines SelectedHeadersOf(const Selection& selection, const model::SourceModel& source, Host& host,
                               const model::Lines& lines, std::vector<std::uint32_t>* at = nullptr);

// Rebuilds the working lines, SelectedHeaders and the header list (sort reset
// to Order ascending).
CommandResult RefreshMatchingHeaders(Selection& selection, model::SourceModel& source, Host& host,
                                     const RefreshContext& context);

bool CheckGrepChange(KeywordLists& keywords);

// Moves the items at `selectedIndices` of `from` into `to`, keeping both sorted.
void MoveSelectedItems(model::Lines& from, model::Lines& to,
                       const std::vector<std::size_t>& selectedIndices);

CommandResult Add(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context,
                  const std::vector<std::size_t>& selectedAvailable);
CommandResult Remove(Selection& selection, model::SourceModel& source, Host& host,
                     const RefreshContext& context, const std::vector<std::size_t>& selectedSelected);
CommandResult AddAll(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context);
CommandResult Swap(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context);
CommandResult Grep(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context,
                   std::string_view text);
CommandResult Clear(Selection& selection, model::SourceModel& source);

// A selection named without the lists, as a script gives it: exactly the
// named keywords (moved as Add moves them), those containing a text (Grep),
// or all of them (Add All).
struct SelectionRequest {
    enum class Mode { Keywords, Grep, All };
    Mode mode = Mode::Keywords;
    std::vector<std::string> keywords;
    std::string grepText;
};

// The named keywords that the Available Keywords lack, once each, as given.
std::vector<std::string> UnknownKeywords(const KeywordLists& keywords, const std::vector<std::string>& names);

// Applies `request` to a processed source through the window's own commands
// (unknown names are passed over). True when keywords are selected and the
// header list is built in Order; an empty selection is reported with the
// window's message, once.
bool ChooseSelection(Selection& selection, model::SourceModel& source, Host& host,
                     const RefreshContext& context, const SelectionRequest& request);

// A click on column `column` of the header list.
void SortHeaderList(HeaderList& list, int column);

// Empties both keyword lists and the header list (the window's reset).
void ResetKeywords(Selection& selection);

}  // namespace quillset::selection
