#include "selection/keywords.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "model/definition_blocks.h"
#include "platform/text_file.h"
#include "session.h"

namespace quillset::selection {

namespace {

using Keywords = std::vector<std::string>;

bool Less(const std::string& a, const std::string& b) { return model::KeywordLess(a, b); }

// Merges `items` (any order) into the sorted list `into`.
void InsertSorted(Keywords& into, Keywords items) {
    std::stable_sort(items.begin(), items.end(), Less);
    Keywords merged;
    merged.reserve(into.size() + items.size());
    std::merge(std::make_move_iterator(into.begin()), std::make_move_iterator(into.end()),
               std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
               std::back_inserter(merged), Less);
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
        // Order keys are only padded to four digits, so past 9999 the longer
        // key is the larger number; comparing as text would put 10000 before
        // 1001 and scramble the export order.
        StableSort(order, ascending, [&](std::size_t a, std::size_t b) {
            const std::string& x = rows[a].order;
            const std::string& y = rows[b].order;
            return x.size() != y.size() ? x.size() < y.size() : x < y;
        });
    } else {
        StableSort(order, ascending, [&](std::size_t a, std::size_t b) {
            return model::CompareIgnoringCase(rows[a].header, rows[b].header) < 0;
        });
    }
}

void MaybeRefresh(Session& session, Host& host, const RefreshContext& context,
                  CommandResult& result) {
    if (!CheckGrepChange(session)) return;
    const CommandResult refresh = RefreshMatchingHeaders(session, host, context);
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

std::string OrderKey(std::int64_t n) {
    std::string text = std::to_string(n < 0 ? -n : n);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

void CollectSelectedHeaders(Session& session, Host& host, const std::vector<std::string>& lines) {
    session.selectedHeaders.assign(1, std::string());
    const Keywords& selected = session.keywords.selected;
    if (selected.empty()) {
        host.Inform(kEmptySelectionMessage);
        return;
    }
    std::unordered_set<std::string_view> wanted;
    wanted.reserve(selected.size());
    for (const auto& keyword : selected) {
        if (!keyword.empty()) wanted.insert(keyword);
    }
    for (const auto& line : lines) {
        if (!model::IsHeaderLine(line)) continue;
        if (wanted.count(model::HeaderName(line))) session.selectedHeaders.push_back(line);
    }
}

CommandResult RefreshMatchingHeaders(Session& session, Host& host, const RefreshContext& context) {
    CommandResult result;
    if (!platform::FileExists(context.sourcePath)) {
        host.Inform(kInvalidSourceMessage);
        result.sourceMissing = true;
        return result;
    }
    HeaderList& list = session.headerList;
    list.sortColumn = 1;
    list.ascending = true;
    list.rows.clear();
    model::BuildWorkingLines(session.source, context.categories);
    CollectSelectedHeaders(session, host, session.source.workingLines);

    std::unordered_map<std::string_view, std::size_t> seen;
    const auto& slots = session.selectedHeaders;
    list.rows.reserve(slots.size());
    for (std::size_t k = 0; k < slots.size(); ++k) {
        if (slots[k].empty()) continue;
        const std::size_t occurrence = seen[slots[k]]++;
        list.rows.push_back({slots[k], OrderKey(static_cast<std::int64_t>(k)), occurrence});
    }
    result.refreshed = true;
    result.headerListChanged = true;
    return result;
}

bool CheckGrepChange(Session& session) {
    const std::size_t count = session.keywords.selected.size();
    if (count == session.keywords.lastGrepCount) return false;
    session.keywords.lastGrepCount = count;
    return true;
}

void MoveSelectedItems(Keywords& from, Keywords& to, const std::vector<std::size_t>& selectedIndices) {
    std::vector<bool> marked(from.size(), false);
    for (const std::size_t i : selectedIndices) {
        if (i < from.size()) marked[i] = true;
    }
    Keywords moved;
    Keywords kept;
    kept.reserve(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        (marked[i] ? moved : kept).push_back(std::move(from[i]));
    }
    from = std::move(kept);
    InsertSorted(to, std::move(moved));
}

CommandResult Add(Session& session, Host& host, const RefreshContext& context,
                  const std::vector<std::size_t>& selectedAvailable) {
    CommandResult result;
    result.clearResizePreview = true;
    MoveSelectedItems(session.keywords.available, session.keywords.selected, selectedAvailable);
    // Enabled before the refresh, so a missing source leaves the controls enabled.
    if (!session.keywords.selected.empty()) result.functions = FunctionSwitch::Enable;
    MaybeRefresh(session, host, context, result);
    return result;
}

CommandResult Remove(Session& session, Host& host, const RefreshContext& context,
                     const std::vector<std::size_t>& selectedSelected) {
    CommandResult result;
    result.clearResizePreview = true;
    MoveSelectedItems(session.keywords.selected, session.keywords.available, selectedSelected);
    if (session.keywords.selected.empty()) result.functions = FunctionSwitch::Disable;
    MaybeRefresh(session, host, context, result);
    return result;
}

CommandResult AddAll(Session& session, Host& host, const RefreshContext& context) {
    Keywords moving;
    for (auto& keyword : session.keywords.available) {
        if (!keyword.empty()) moving.push_back(std::move(keyword));
    }
    session.keywords.available.clear();
    InsertSorted(session.keywords.selected, std::move(moving));
    CommandResult result = RefreshMatchingHeaders(session, host, context);
    // The missing-source message ends the command before anything is enabled.
    if (result.sourceMissing) return result;
    if (!session.keywords.selected.empty()) result.functions = FunctionSwitch::Enable;
    return result;
}

CommandResult Swap(Session& session, Host& host, const RefreshContext& context) {
    std::swap(session.keywords.available, session.keywords.selected);
    CommandResult result;
    if (session.keywords.selected.empty()) {
        result.functions = FunctionSwitch::Disable;
        session.headerList.rows.clear();
        result.headerListChanged = true;
    } else {
        result.functions = FunctionSwitch::Enable;
    }
    MaybeRefresh(session, host, context, result);
    return result;
}

CommandResult Grep(Session& session, Host& host, const RefreshContext& context,
                   std::string_view text) {
    Keywords kept;
    Keywords moving;
    for (auto& keyword : session.keywords.available) {
        (keyword.find(text) != std::string::npos ? moving : kept).push_back(std::move(keyword));
    }
    session.keywords.available = std::move(kept);
    InsertSorted(session.keywords.selected, std::move(moving));
    CommandResult result;
    if (!session.keywords.selected.empty()) {
        result = RefreshMatchingHeaders(session, host, context);
        if (result.sourceMissing) return result;  // the message ends the command
        result.functions = FunctionSwitch::Enable;
    }
    return result;
}

CommandResult Clear(Session& session) {
    session.keywords.available = model::FillAvailableKeywords(session.source);
    session.keywords.selected.clear();
    session.headerList.rows.clear();
    CommandResult result;
    result.clearResizePreview = true;
    result.headerListChanged = true;
    result.functions = FunctionSwitch::Disable;
    return result;
}

void SortHeaderList(Session& session, int column) {
    HeaderList& list = session.headerList;
    list.ascending = !list.ascending;
    list.sortColumn = column == 1 ? 1 : 0;
    list.sorted = true;
}

void ResetKeywords(Session& session) {
    session.keywords.available.clear();
    session.keywords.selected.clear();
    session.headerList.rows.clear();
}

}  // namespace quillset::selection
