#include "selection/keywords.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "model/definition_blocks.h"
#include "model/view_table.h"
#include "platform/text_file.h"

namespace quillset::selection {

namespace {

using Keywords = model::Lines;

// Merges `items` (any order) into the sorted list `into`. Items taken from a
// sorted list in order are sorted already; the check saves the sort. `into`
// is left as it was when memory runs out.
void InsertSorted(Keywords& into, Keywords items) {
    if (!std::is_sorted(items.begin(), items.end(), model::KeywordLess))
        std::stable_sort(items.begin(), items.end(), model::KeywordLess);
    if (into.empty()) {
        into = std::move(items);
        return;
    }
    Keywords merged;
    merged.reserve(into.size() + items.size());
    std::merge(into.begin(), into.end(), items.begin(), items.end(), std::back_inserter(merged),
               model::KeywordLess);
    into = std::move(merged);
}

template <class Less>
void StableSort(std::vector<std::size_t>& order, bool ascending, Less less) {
    if (ascending) {
        std::stable_sort(order.begin(), order.end(), less);
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return less(b, a); });
    }
}

// Rows equal under the comparison keep their current order.
void SortRows(std::vector<std::size_t>& order, const std::vector<HeaderRow>& rows, int column,
              bool ascending) {
    if (column == 1) {
        // By number: the keys are only padded to four digits, so as text
        // 10000 would come before 1001 and scramble the export order.
        StableSort(order, ascending, [&](std::size_t a, std::size_t b) { return rows[a].slot < rows[b].slot; });
    } else {
        StableSort(order, ascending, [&](std::size_t a, std::size_t b) {
            return model::CompareIgnoringCase(rows[a].header, rows[b].header) < 0;
        });
    }
}

void MaybeRefresh(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context,
                  CommandResult& result) {
    if (!CheckGrepChange(selection.keywords)) return;
    const CommandResult refresh = RefreshMatchingHeaders(selection, source, host, context);
    result.refreshed = refresh.refreshed;
    // Swap may already have emptied the rows even when the refresh fails.
    result.headerListChanged = result.headerListChanged || refresh.headerListChanged;
    result.sourceMissing = refresh.sourceMissing;
}

}  // namespace

std::vector<std::size_t> HeaderList::DisplayOrder() const {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (sorted) SortRows(order, rows, sortColumn, ascending);
    return order;
}

bool SourceStillThere(Host& host, const std::string& sourcePath) {
    if (platform::FileExists(sourcePath)) return true;
    host.Inform(kInvalidSourceMessage);
    return false;
}

std::string HeaderRow::Order() const { return OrderKey(slot); }

std::string OrderKey(std::int64_t n) {
    std::string text = std::to_string(n < 0 ? -n : n);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

void CollectSelectedHeaders(Selection& selection, const model::SourceModel& source, Host& host,
                            const model::Lines& lines) {
    selection.selectedHeaders = SelectedHeadersOf(selection, source, host, lines);
}

model::Lines SelectedHeadersOf(const Selection& selection, const model::SourceModel& source, Host& host,
                               const model::Lines& lines, std::vector<std::uint32_t>* at) {
    model::Lines found(1);
    if (at) at->assign(1, 0);
    const Keywords& selected = selection.keywords.selected;
    if (selected.empty()) {
        host.Inform(kEmptySelectionMessage);
        return found;
    }
    // Positions are kept in 32 bits: so many lines would not fit in memory.
    if (lines.size() > UINT32_MAX) throw std::bad_alloc();
    model::ViewTable<model::Present> wanted(selected.size());
    wanted.ForEachPrefetched(selected, [&](std::string_view keyword, std::uint64_t hash) {
        if (!keyword.empty()) wanted.Insert(keyword, hash);
    });
    // Sized by the file's header count: cleaning seldom makes more.
    std::vector<std::uint32_t> headers;
    std::vector<std::string_view> names;
    const auto bound = std::min(lines.size(), static_cast<std::size_t>(source.counts.allDefs) + 1);
    headers.reserve(bound);
    names.reserve(bound);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!model::IsHeaderLine(lines[i])) continue;
        headers.push_back(static_cast<std::uint32_t>(i));
        names.push_back(model::HeaderName(lines[i]));
    }
    std::size_t k = 0;
    wanted.ForEachPrefetched(names, [&](std::string_view name, std::uint64_t hash) {
        if (wanted.Find(name, hash)) {
            found.push_back(lines[headers[k]]);
            if (at) at->push_back(headers[k]);
        }
        ++k;
    });
    return found;
}

CommandResult RefreshMatchingHeaders(Selection& selection, model::SourceModel& source, Host& host,
                                     const RefreshContext& context) {
    CommandResult result;
    if (!SourceStillThere(host, context.sourcePath)) {
        result.sourceMissing = true;
        return result;
    }
    HeaderList& list = selection.headerList;
    list.sortColumn = 1;
    list.ascending = true;
    list.rows.clear();
    model::BuildWorkingLines(source, context.categories);
    std::vector<std::uint32_t> at;
    selection.selectedHeaders =
        SelectedHeadersOf(selection, source, host, source.workingLines, context.headerList ? &at : nullptr);
    result.refreshed = true;
    result.headerListChanged = true;
    if (!context.headerList) return result;

    const auto& slots = selection.selectedHeaders;
    list.rows.reserve(slots.size());
    for (std::size_t k = 0; k < slots.size(); ++k)
        if (!slots[k].empty()) list.rows.push_back({slots[k], static_cast<std::uint32_t>(k), at[k]});
    return result;
}

bool CheckGrepChange(KeywordLists& keywords) {
    const std::size_t count = keywords.selected.size();
    if (count == keywords.lastGrepCount) return false;
    keywords.lastGrepCount = count;
    return true;
}

void MoveSelectedItems(Keywords& from, Keywords& to, const std::vector<std::size_t>& selectedIndices) {
    std::vector<bool> marked(from.size(), false);
    for (const std::size_t i : selectedIndices) {
        if (i < from.size()) marked[i] = true;
    }
    const std::size_t picked = static_cast<std::size_t>(std::count(marked.begin(), marked.end(), true));
    Keywords moved;
    Keywords kept;
    moved.reserve(picked);
    kept.reserve(from.size() - picked);
    for (std::size_t i = 0; i < from.size(); ++i) (marked[i] ? moved : kept).push_back(from[i]);
    // The merge first: should it run out of memory, both lists are as they were.
    InsertSorted(to, std::move(moved));
    from = std::move(kept);
}

CommandResult Add(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context,
                  const std::vector<std::size_t>& selectedAvailable) {
    CommandResult result;
    result.clearResizePreview = true;
    MoveSelectedItems(selection.keywords.available, selection.keywords.selected, selectedAvailable);
    // Enabled before the refresh, so a missing source leaves the controls enabled.
    if (!selection.keywords.selected.empty()) result.functions = FunctionSwitch::Enable;
    MaybeRefresh(selection, source, host, context, result);
    return result;
}

CommandResult Remove(Selection& selection, model::SourceModel& source, Host& host,
                     const RefreshContext& context, const std::vector<std::size_t>& selectedSelected) {
    CommandResult result;
    result.clearResizePreview = true;
    MoveSelectedItems(selection.keywords.selected, selection.keywords.available, selectedSelected);
    if (selection.keywords.selected.empty()) result.functions = FunctionSwitch::Disable;
    MaybeRefresh(selection, source, host, context, result);
    return result;
}

CommandResult AddAll(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context) {
    Keywords moving;
    moving.reserve(selection.keywords.available.size());
    for (const std::string_view keyword : selection.keywords.available) {
        if (!keyword.empty()) moving.push_back(keyword);
    }
    InsertSorted(selection.keywords.selected, std::move(moving));
    selection.keywords.available = Keywords();
    CommandResult result = RefreshMatchingHeaders(selection, source, host, context);
    // The missing-source message ends the command before anything is enabled.
    if (result.sourceMissing) return result;
    if (!selection.keywords.selected.empty()) result.functions = FunctionSwitch::Enable;
    return result;
}

CommandResult Swap(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context) {
    std::swap(selection.keywords.available, selection.keywords.selected);
    CommandResult result;
    if (selection.keywords.selected.empty()) {
        result.functions = FunctionSwitch::Disable;
        selection.headerList.rows.clear();
        result.headerListChanged = true;
    } else {
        result.functions = FunctionSwitch::Enable;
    }
    MaybeRefresh(selection, source, host, context, result);
    return result;
}

CommandResult Grep(Selection& selection, model::SourceModel& source, Host& host, const RefreshContext& context,
                   std::string_view text) {
    Keywords kept;
    Keywords moving;
    for (const std::string_view keyword : selection.keywords.available) {
        (keyword.find(text) != std::string_view::npos ? moving : kept).push_back(keyword);
    }
    InsertSorted(selection.keywords.selected, std::move(moving));
    selection.keywords.available = std::move(kept);
    CommandResult result;
    if (!selection.keywords.selected.empty()) {
        result = RefreshMatchingHeaders(selection, source, host, context);
        if (result.sourceMissing) return result;  // the message ends the command
        result.functions = FunctionSwitch::Enable;
    }
    return result;
}

CommandResult Clear(Selection& selection, model::SourceModel& source) {
    selection.keywords.available = model::FillAvailableKeywords(source);
    selection.keywords.selected.clear();
    selection.headerList.rows.clear();
    CommandResult result;
    result.clearResizePreview = true;
    result.headerListChanged = true;
    result.functions = FunctionSwitch::Disable;
    return result;
}

namespace {

// Where `keyword` stands in the sorted list, exactly; nullopt when absent.
// The order is total, so an exact match is where it would be inserted.
std::optional<std::size_t> FindKeyword(const Keywords& list, const std::string& keyword) {
    const auto at = std::lower_bound(list.begin(), list.end(), std::string_view(keyword), model::KeywordLess);
    if (at == list.end() || *at != keyword) return std::nullopt;
    return static_cast<std::size_t>(at - list.begin());
}

}  // namespace

std::vector<std::string> UnknownKeywords(const KeywordLists& keywords, const std::vector<std::string>& names) {
    std::vector<std::string> unknown;
    std::unordered_set<std::string_view> seen;
    for (const auto& name : names) {
        if (seen.insert(name).second && !FindKeyword(keywords.available, name))
            unknown.push_back(name);
    }
    return unknown;
}

bool ChooseSelection(Selection& selection, model::SourceModel& source, Host& host,
                     const RefreshContext& context, const SelectionRequest& request) {
    CommandResult result;
    switch (request.mode) {
        case SelectionRequest::Mode::Keywords: {
            std::vector<std::size_t> indices;
            for (const auto& keyword : request.keywords) {
                if (const auto at = FindKeyword(selection.keywords.available, keyword)) indices.push_back(*at);
            }
            std::sort(indices.begin(), indices.end());
            indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
            result = Add(selection, source, host, context, indices);
            // Add rebuilds only when the count changed since the last test.
            if (!selection.keywords.selected.empty() && !result.refreshed && !result.sourceMissing)
                result = RefreshMatchingHeaders(selection, source, host, context);
            break;
        }
        case SelectionRequest::Mode::Grep: result = Grep(selection, source, host, context, request.grepText); break;
        case SelectionRequest::Mode::All: result = AddAll(selection, source, host, context); break;
    }
    if (result.sourceMissing) return false;
    if (selection.keywords.selected.empty()) {
        // Add All's refresh has said it already; Add and Grep do not refresh
        // an empty selection.
        if (request.mode != SelectionRequest::Mode::All) host.Inform(kEmptySelectionMessage);
        return false;
    }
    return true;
}

void SortHeaderList(HeaderList& list, int column) {
    list.ascending = !list.ascending;
    list.sortColumn = column == 1 ? 1 : 0;
    list.sorted = true;
}

void ResetKeywords(Selection& selection) {
    selection.keywords.available.clear();
    selection.keywords.selected.clear();
    selection.headerList.rows.clear();
}

}  // namespace quillset::selection
