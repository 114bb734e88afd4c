#include "selection/keywords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>

#include "model/definition_blocks.h"
#include "selection/pattern_set.h"
#include "app/session.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"
#include "support/text_lines.h"

namespace quillset::selection {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;
const std::string kEmptyMsg(kEmptySelectionMessage), kInvalidMsg(kInvalidSourceMessage);

// A processed source: INI lines loaded, working lines built, every keyword
// Available, and an existing source file behind context.sourcePath.
class Keywords : public ::testing::Test {
protected:
    Keywords() { context.sourcePath = dir.Write("source.ini", "[ Feature Style - Curb ]\r\n"); }
    void Load(const Lines& lines) {
        model::LoadLines(s.source, testing::TextOf(lines));
        model::BuildWorkingLines(s.source, context.categories);
        s.selection.keywords.available = model::FillAvailableKeywords(s.source);
    }
    CommandResult AddOf(const Lines& keywords) {
        std::vector<std::size_t> picked;
        const model::Lines& from = s.selection.keywords.available;
        for (const auto& k : keywords)
            picked.push_back(static_cast<std::size_t>(std::find(from.begin(), from.end(), k) -
                                                      from.begin()));
        return Add(s.selection, s.source, host, context, picked);
    }
    Lines Column(int column) const {  // as the view shows it
        Lines out;
        for (const auto i : s.selection.headerList.DisplayOrder())
            out.push_back(column == 0 ? std::string(s.selection.headerList.rows[i].header)
                                      : s.selection.headerList.rows[i].Order());
        return out;
    }

    testing::ScratchDir dir;
    RefreshContext context;
    Session s;
    testing::FakeHost host;
};

const std::string kFsCurb = "[ Feature Style - Curb ]", kNsCurb = "[ Named Symbology - Curb ]";
const Lines kCurbs = {kNsCurb, "Color=1", kFsCurb, "Symbology=Curb",
                      "[ Feature Style - Curb Left ]", " [ Feature Style - Kerb ]",
                      "[ Feature Style - curb ]", "[ Feature Style - Fence ]", kFsCurb};

TEST_F(Keywords, MatchingIsByExactWholeNameWithOneRowPerOccurrence) {
    Load(kCurbs);
    // The indented header is listed from its trimmed line but matched only as stored.
    EXPECT_EQ(AddOf({"Curb", "Kerb"}).functions, FunctionSwitch::Enable);
    EXPECT_THAT(Column(0), ElementsAre(kFsCurb, kFsCurb, kNsCurb));  // Feature lines come first
    EXPECT_THAT(Column(1), ElementsAre("0001", "0002", "0003"));
    // Each row stands for its own occurrence: the line it names holds its header.
    const auto& rows = s.selection.headerList.rows;
    for (const auto& row : rows) EXPECT_EQ(s.source.workingLines[row.line], row.header);
    EXPECT_LT(rows[0].line, rows[1].line);

    s.selection.keywords.selected = {"Cur", "CURB", "Curb Left ]"};
    CollectSelectedHeaders(s.selection, s.source, host, {kFsCurb, kNsCurb, "[ Feature Style - Curb Left ]"});
    EXPECT_THAT(s.selection.selectedHeaders, ElementsAre(""));
}

TEST_F(Keywords, GrepMovesExactCaseSubstringsAndEmptyTextMovesAll) {
    Load(kCurbs);
    const auto none = Grep(s.selection, s.source, host, context, "Fenc e");  // nothing selected: nothing happens
    EXPECT_FALSE(none.refreshed);
    EXPECT_EQ(none.functions, FunctionSwitch::Unchanged);

    EXPECT_TRUE(Grep(s.selection, s.source, host, context, "Curb").refreshed);
    EXPECT_THAT(s.selection.keywords.selected, ElementsAre("Curb", "Curb Left"));
    EXPECT_THAT(s.selection.keywords.available, ElementsAre("curb", "Fence", "Kerb"));
    SortHeaderList(s.selection.headerList, 0);
    EXPECT_TRUE(Grep(s.selection, s.source, host, context, "Curb").refreshed);  // moves nothing, still rebuilds
    EXPECT_EQ(s.selection.headerList.sortColumn, 1);
    EXPECT_EQ(Grep(s.selection, s.source, host, context, "").functions, FunctionSwitch::Enable);
    EXPECT_THAT(s.selection.keywords.available, IsEmpty());
    EXPECT_EQ(s.selection.keywords.selected.size(), 5u);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(Keywords, AMissingSourceStopsTheRefreshAndEndsAddAllAndGrepBeforeTheyEnable) {
    Load(kCurbs);
    AddOf({"Fence"});
    const Lines rows = Column(0), headers = testing::Strings(s.selection.selectedHeaders);
    std::filesystem::remove(context.sourcePath);
    auto result = AddOf({"Kerb"});  // Add enables before its refresh
    EXPECT_EQ(result.functions, FunctionSwitch::Enable);
    EXPECT_TRUE(result.sourceMissing);
    EXPECT_FALSE(result.refreshed);
    EXPECT_EQ(testing::Strings(s.selection.selectedHeaders), headers);
    EXPECT_EQ(Column(0), rows);
    result = Grep(s.selection, s.source, host, context, "urb");
    EXPECT_EQ(result.functions, FunctionSwitch::Unchanged);
    EXPECT_TRUE(result.sourceMissing);
    result = AddAll(s.selection, s.source, host, context);
    EXPECT_EQ(result.functions, FunctionSwitch::Unchanged);
    EXPECT_TRUE(result.sourceMissing);
    EXPECT_THAT(host.messages, ElementsAre(kInvalidMsg, kInvalidMsg, kInvalidMsg));
}

TEST_F(Keywords, RemoveAndSwapRebuildOnlyWhenTheSelectionCountChanged) {
    EXPECT_EQ(AddAll(s.selection, s.source, host, context).functions, FunctionSwitch::Unchanged);  // nothing to add
    EXPECT_THAT(host.messages, ElementsAre(kEmptyMsg));
    Load({"[ P - A ]", "[ P - B ]", "[ P - C ]", "[ P - D ]"});
    AddOf({"A", "C"});
    EXPECT_EQ(Swap(s.selection, s.source, host, context).functions, FunctionSwitch::Enable);
    EXPECT_THAT(s.selection.keywords.selected, ElementsAre("B", "D"));
    EXPECT_THAT(Column(0), ElementsAre("[ P - A ]", "[ P - C ]"));  // same count: old rows stay
    EXPECT_EQ(Remove(s.selection, s.source, host, context, {0}).functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(Column(0), ElementsAre("[ P - D ]"));

    // Count 0 after 1: rebuilt, and the empty selection told.
    auto result = Remove(s.selection, s.source, host, context, {0});
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_THAT(s.selection.headerList.rows, IsEmpty());
    EXPECT_THAT(host.messages, ElementsAre(kEmptyMsg, kEmptyMsg));
    AddAll(s.selection, s.source, host, context);  // a refresh of its own; the last count stays 0
    ASSERT_EQ(s.selection.headerList.rows.size(), 4u);
    result = Remove(s.selection, s.source, host, context, {0, 1, 2, 3});
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_EQ(s.selection.headerList.rows.size(), 4u);  // count equals the last one: no rebuild
    AddAll(s.selection, s.source, host, context);
    result = Swap(s.selection, s.source, host, context);  // into an empty selection: the rows go all the same
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_FALSE(result.refreshed);
    EXPECT_TRUE(result.headerListChanged);
    EXPECT_THAT(s.selection.headerList.rows, IsEmpty());
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(Keywords, HeaderListSortsOrderNumericallyAndHeadersIgnoringLatin1Case) {
    Lines lines(10002, kFsCurb);
    lines.insert(lines.end(),
                 {"[ P - \xC9gout ]", "[ P - zone ]", "[ P - \xD6l ]", "[ P - \xE9gout ]"});
    Load(lines);
    AddOf({"Curb"});
    Lines up;
    for (std::int64_t k = 1; k <= 10006; ++k) up.push_back(OrderKey(k));
    SortHeaderList(s.selection.headerList, 1);
    EXPECT_EQ(Column(1), Lines(up.rbegin() + 4, up.rend()));
    SortHeaderList(s.selection.headerList, 1);
    EXPECT_EQ(Column(1), Lines(up.begin(), up.end() - 4));
    AddAll(s.selection, s.source, host, context);  // a refresh: still sorted, now by Order ascending
    EXPECT_EQ(Column(1), up);
    EXPECT_EQ(up.back(), "10006");
    SortHeaderList(s.selection.headerList, 0);  // a new column, still a flip: descending; ties keep their order
    const Lines top = Column(0);
    EXPECT_EQ(Lines(top.begin(), top.begin() + 5),
              (Lines{"[ P - \xD6l ]", "[ P - \xC9gout ]", "[ P - \xE9gout ]", "[ P - zone ]",
                     kFsCurb}));
}

TEST_F(Keywords, EveryKeywordStaysInExactlyOneSortedList) {
    Load({"[ P - alpha ]", "[ P - Beta ]", "[ P - beta ]", "[ P - Delta ]", "[ P - ALPHA ]",
          "[ P - Zulu ]"});
    Lines all = testing::Strings(s.selection.keywords.available);
    AddOf({"Zulu", "alpha", "beta"});
    Grep(s.selection, s.source, host, context, "a");
    Remove(s.selection, s.source, host, context, {0, 2, 2, 99});
    Swap(s.selection, s.source, host, context);
    AddOf({"Delta"});
    for (const model::Lines* list : {&s.selection.keywords.available, &s.selection.keywords.selected})
        EXPECT_TRUE(std::is_sorted(list->begin(), list->end(), model::KeywordLess));
    Lines now = testing::Strings(s.selection.keywords.available);
    now.insert(now.end(), s.selection.keywords.selected.begin(), s.selection.keywords.selected.end());
    std::sort(now.begin(), now.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(now, all);
}

TEST_F(Keywords, ClearRefillsAvailableButKeepsTheFullWidthCountOfLargeSelections) {
    Lines lines;
    for (int i = 100'000; i > 0; --i) lines.push_back("[ P - k" + std::to_string(i) + " ]");
    Load(lines);
    // Its speed is measured in bench/ (quillset_ui_bench), not bounded here.
    EXPECT_EQ(AddAll(s.selection, s.source, host, context).functions, FunctionSwitch::Enable);
    EXPECT_EQ(s.selection.headerList.rows.size(), 100'000u);

    EXPECT_EQ(Clear(s.selection, s.source).functions, FunctionSwitch::Disable);
    EXPECT_EQ(s.selection.keywords.available.size(), 100'000u);
    EXPECT_THAT(s.selection.keywords.selected, IsEmpty());
    EXPECT_THAT(s.selection.headerList.rows, IsEmpty());
    std::vector<std::size_t> picked(65'536);
    std::iota(picked.begin(), picked.end(), std::size_t{0});
    EXPECT_TRUE(Add(s.selection, s.source, host, context, picked).refreshed);  // 65,536 is not 0
    Clear(s.selection, s.source);
    EXPECT_FALSE(Add(s.selection, s.source, host, context, picked).refreshed);  // the same count as last checked
    EXPECT_EQ(s.selection.keywords.lastGrepCount, 65'536u);
}

// Small alphabets make overlapping and nested patterns common, where failure
// links go wrong; a byte above 127 checks that none is taken as signed.
TEST(PatternSet, AgreesWithTryingEachPatternOnRandomInputs) {
    std::mt19937 random(12);
    auto word = [&](std::size_t maxLength) {
        std::string w(random() % (maxLength + 1), ' ');
        for (char& c : w) c = "ab[- \xE9"[random() % 6];
        return w;
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> patterns(random() % 6);
        for (auto& p : patterns) p = word(5);
        const std::string text = word(20);
        const bool expected = std::any_of(patterns.begin(), patterns.end(),
                                          [&](const std::string& p) { return text.find(p) != std::string::npos; });
        ASSERT_EQ(PatternSet(std::vector<std::string_view>(patterns.begin(), patterns.end())).OccursIn(text), expected) << round << " " << text;
    }
}

}  // namespace
}  // namespace quillset::selection
