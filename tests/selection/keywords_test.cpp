#include "selection/keywords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/definition_blocks.h"
#include "model/source_model.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::selection {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

const std::string kEmptyMsg(kEmptySelectionMessage);
const std::string kInvalidMsg(kInvalidSourceMessage);

class KeywordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quillset_sel_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        context_.sourcePath = dir_ + "/source.ini";
        std::ofstream(context_.sourcePath) << "[ Feature Style - Curb ]\r\n";
    }
    void TearDown() override {
        std::remove(context_.sourcePath.c_str());
        rmdir(dir_.c_str());
    }

    // The state Process Source leaves: arrays, working lines, all keywords Available.
    void Load(const Lines& lines) {
        model::LoadLines(session_.source, lines);
        model::BuildWorkingLines(session_.source, context_.categories);
        session_.keywords.available = model::FillAvailableKeywords(session_.source);
    }
    std::size_t Avail(const std::string& keyword) const {
        const auto& a = session_.keywords.available;
        return static_cast<std::size_t>(std::find(a.begin(), a.end(), keyword) - a.begin());
    }
    std::size_t Sel(const std::string& keyword) const {
        const auto& s = session_.keywords.selected;
        return static_cast<std::size_t>(std::find(s.begin(), s.end(), keyword) - s.begin());
    }
    Lines Shown(int column) const {
        Lines out;
        for (const auto i : session_.headerList.DisplayOrder()) {
            const auto& row = session_.headerList.rows[i];
            out.push_back(column == 0 ? row.header : row.order);
        }
        return out;
    }

    std::string dir_;
    RefreshContext context_;
    Session session_;
    testing::FakeHost host_;
};

const Lines kCurbSource = {
    "[ Named Symbology - Curb ]", "Color=1",
    "[ Feature Style - Curb ]",   "Symbology=Curb",
    "[ Feature Style - Curb Left ]",
    "[ Feature Style - curb ]",
    "[ Feature Style - Fence ]",
};

// --- Matching rule and the header list it yields ---------------------------

TEST_F(KeywordsTest, FeatureStyleIsListedBeforeNamedSymbologyOfSameName) {
    Load(kCurbSource);
    const auto result = Add(session_, host_, context_, {Avail("Curb")});
    EXPECT_TRUE(result.refreshed);
    EXPECT_EQ(result.functions, FunctionSwitch::Enable);
    EXPECT_THAT(Shown(0), ElementsAre("[ Feature Style - Curb ]", "[ Named Symbology - Curb ]"));
    EXPECT_THAT(Shown(1), ElementsAre("0001", "0002"));
    EXPECT_THAT(host_.messages, IsEmpty());
}

TEST_F(KeywordsTest, MatchingIsExactWholeNameOnLinesAsStored) {
    session_.keywords.selected = {"Cur", "curb", ""};
    CollectSelectedHeaders(session_, host_,
                           {"[ Feature Style - Curb ]", " [ Feature Style - curb ]",
                            "[ Feature Style - Cur ]", "[ Named Symbology - curb ]", ""});
    EXPECT_THAT(session_.selectedHeaders,
                ElementsAre("", "[ Feature Style - Cur ]", "[ Named Symbology - curb ]"));
}

TEST_F(KeywordsTest, EmptySelectionLeavesOnlySlotZeroAndSaysSo) {
    session_.selectedHeaders = {"", "[ old ]"};
    CollectSelectedHeaders(session_, host_, {"[ Feature Style - Curb ]"});
    EXPECT_THAT(session_.selectedHeaders, ElementsAre(""));
    EXPECT_THAT(host_.messages, ElementsAre(kEmptyMsg));
}

TEST_F(KeywordsTest, DuplicateHeaderIsListedOncePerOccurrence) {
    Load({"[ Feature Style - Curb ]", "a=1", "[ Feature Style - Fence ]", "[ Feature Style - Curb ]"});
    Add(session_, host_, context_, {Avail("Curb"), Avail("Fence")});
    const auto& rows = session_.headerList.rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].header, "[ Feature Style - Curb ]");
    EXPECT_EQ(rows[0].occurrence, 0u);
    EXPECT_EQ(rows[1].occurrence, 0u);  // Fence: its own first occurrence
    EXPECT_EQ(rows[2].header, "[ Feature Style - Curb ]");
    EXPECT_EQ(rows[2].occurrence, 1u);
    EXPECT_THAT(Shown(1), ElementsAre("0001", "0002", "0003"));
}

TEST(OrderKeyTest, PadsToFourDigitsAndLeavesLongerNumbers) {
    EXPECT_EQ(OrderKey(0), "0000");
    EXPECT_EQ(OrderKey(7), "0007");
    EXPECT_EQ(OrderKey(42), "0042");
    EXPECT_EQ(OrderKey(9999), "9999");
    EXPECT_EQ(OrderKey(12345), "12345");
}

// --- Refresh ---------------------------------------------------------------

TEST_F(KeywordsTest, RefreshWithMissingSourceChangesNothing) {
    Load(kCurbSource);
    Add(session_, host_, context_, {Avail("Curb")});
    const auto rowsBefore = Shown(0);
    const auto headersBefore = session_.selectedHeaders;
    const auto workingBefore = session_.source.workingLines;
    SortHeaderList(session_, 0);

    std::remove(context_.sourcePath.c_str());
    context_.categories.feature = false;
    const auto result = RefreshMatchingHeaders(session_, host_, context_);
    EXPECT_TRUE(result.sourceMissing);
    EXPECT_FALSE(result.refreshed);
    EXPECT_THAT(host_.messages, ElementsAre(kInvalidMsg));
    EXPECT_EQ(session_.selectedHeaders, headersBefore);
    EXPECT_EQ(session_.source.workingLines, workingBefore);
    EXPECT_EQ(session_.headerList.sortColumn, 0);
    EXPECT_FALSE(session_.headerList.ascending);
    session_.headerList.sorted = false;
    EXPECT_EQ(Shown(0), rowsBefore);
}

TEST_F(KeywordsTest, RefreshTakesCurrentCategoriesAndResetsSortToOrderAscending) {
    Load(kCurbSource);
    Add(session_, host_, context_, {Avail("Curb")});
    SortHeaderList(session_, 0);  // header column, descending
    EXPECT_THAT(Shown(0), ElementsAre("[ Named Symbology - Curb ]", "[ Feature Style - Curb ]"));

    context_.categories.symbol = false;
    Add(session_, host_, context_, {Avail("Fence")});
    EXPECT_TRUE(session_.headerList.sorted);
    EXPECT_EQ(session_.headerList.sortColumn, 1);
    EXPECT_TRUE(session_.headerList.ascending);
    EXPECT_THAT(Shown(0), ElementsAre("[ Feature Style - Curb ]", "[ Feature Style - Fence ]"));
}

// --- Commands and their quirks ---------------------------------------------

TEST_F(KeywordsTest, AddThenRemoveAllEmptiesHeaderListWithMessage) {
    Load(kCurbSource);
    Add(session_, host_, context_, {Avail("Curb"), Avail("Fence")});
    const auto result = Remove(session_, host_, context_, {0, 1});
    EXPECT_TRUE(result.clearResizePreview);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_TRUE(result.refreshed);
    EXPECT_THAT(session_.headerList.rows, IsEmpty());
    EXPECT_THAT(host_.messages, ElementsAre(kEmptyMsg));
}

TEST_F(KeywordsTest, AddAllThenRemoveAllKeepsOldRowsBecauseCountIsUnchanged) {
    Load(kCurbSource);
    const auto added = AddAll(session_, host_, context_);
    EXPECT_EQ(added.functions, FunctionSwitch::Enable);
    EXPECT_THAT(session_.keywords.available, IsEmpty());
    EXPECT_EQ(session_.keywords.lastGrepCount, 0);
    ASSERT_EQ(session_.headerList.rows.size(), 5u);

    std::vector<std::size_t> all(session_.keywords.selected.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    const auto removed = Remove(session_, host_, context_, all);
    EXPECT_EQ(removed.functions, FunctionSwitch::Disable);
    EXPECT_FALSE(removed.refreshed);
    EXPECT_EQ(session_.headerList.rows.size(), 5u);
    EXPECT_THAT(host_.messages, IsEmpty());
}

TEST_F(KeywordsTest, AddAllOnEmptyListsOnlyShowsEmptySelectionMessage) {
    const auto result = AddAll(session_, host_, context_);
    EXPECT_EQ(result.functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(host_.messages, ElementsAre(kEmptyMsg));
    EXPECT_THAT(session_.headerList.rows, IsEmpty());
}

TEST_F(KeywordsTest, SwapOfEqualCountsKeepsOldHeaderList) {
    Load({"[ Feature Style - A ]", "[ Feature Style - B ]", "[ Feature Style - C ]",
          "[ Feature Style - D ]", "[ Feature Style - E ]", "[ Feature Style - F ]"});
    Add(session_, host_, context_, {Avail("A"), Avail("C"), Avail("E")});
    const auto oldRows = Shown(0);

    const auto result = Swap(session_, host_, context_);
    EXPECT_THAT(session_.keywords.available, ElementsAre("A", "C", "E"));
    EXPECT_THAT(session_.keywords.selected, ElementsAre("B", "D", "F"));
    EXPECT_EQ(result.functions, FunctionSwitch::Enable);
    EXPECT_FALSE(result.refreshed);
    EXPECT_EQ(Shown(0), oldRows);
}

TEST_F(KeywordsTest, SwapIntoEmptySelectionDisablesAndEmptiesRows) {
    Load(kCurbSource);
    AddAll(session_, host_, context_);
    const auto result = Swap(session_, host_, context_);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_TRUE(result.headerListChanged);
    EXPECT_THAT(session_.headerList.rows, IsEmpty());
    EXPECT_THAT(session_.keywords.selected, IsEmpty());
}

TEST_F(KeywordsTest, GrepIsCaseSensitiveSubstringAndEmptyTextTakesAll) {
    Load(kCurbSource);
    const auto result = Grep(session_, host_, context_, "Curb");
    EXPECT_THAT(session_.keywords.selected, ElementsAre("Curb", "Curb Left"));
    EXPECT_THAT(session_.keywords.available, ElementsAre("curb", "Fence"));
    EXPECT_TRUE(result.refreshed);
    EXPECT_EQ(result.functions, FunctionSwitch::Enable);
    EXPECT_EQ(session_.keywords.lastGrepCount, 0);

    Grep(session_, host_, context_, "");
    EXPECT_THAT(session_.keywords.available, IsEmpty());
    EXPECT_THAT(session_.keywords.selected, ElementsAre("Curb", "curb", "Curb Left", "Fence"));
}

TEST_F(KeywordsTest, GrepRefreshesOnlyWhenSelectionEndsNonEmpty) {
    Load(kCurbSource);
    const auto none = Grep(session_, host_, context_, "zzz");
    EXPECT_FALSE(none.refreshed);
    EXPECT_EQ(none.functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(host_.messages, IsEmpty());

    Add(session_, host_, context_, {Avail("Fence")});
    session_.headerList.rows.clear();
    EXPECT_TRUE(Grep(session_, host_, context_, "zzz").refreshed);  // nothing moved, still rebuilt
    EXPECT_EQ(session_.headerList.rows.size(), 1u);
}

TEST_F(KeywordsTest, ClearRefillsFromWorkingLinesWithoutRebuild) {
    Load(kCurbSource);
    Add(session_, host_, context_, {Avail("Curb"), Avail("Fence")});
    ASSERT_EQ(session_.keywords.lastGrepCount, 2);
    const auto working = session_.source.workingLines;

    const auto result = Clear(session_);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_TRUE(result.clearResizePreview);
    EXPECT_FALSE(result.refreshed);
    EXPECT_THAT(session_.keywords.available, ElementsAre("Curb", "curb", "Curb Left", "Fence"));
    EXPECT_THAT(session_.keywords.selected, IsEmpty());
    EXPECT_THAT(session_.headerList.rows, IsEmpty());
    EXPECT_EQ(session_.keywords.lastGrepCount, 2);
    EXPECT_EQ(session_.source.workingLines, working);

    // Same count as at the last test: no rebuild.
    EXPECT_FALSE(Add(session_, host_, context_, {0, 1}).refreshed);
}

// --- Column clicks ----------------------------------------------------------

TEST_F(KeywordsTest, EveryColumnClickFlipsDirection) {
    Load({"[ Feature Style - b ]", "[ Feature Style - A ]", "[ Feature Style - c ]"});
    AddAll(session_, host_, context_);
    SortHeaderList(session_, 1);
    EXPECT_THAT(Shown(1), ElementsAre("0003", "0002", "0001"));
    SortHeaderList(session_, 1);
    EXPECT_THAT(Shown(1), ElementsAre("0001", "0002", "0003"));

    // Two earlier clicks: the header column now comes out descending.
    SortHeaderList(session_, 0);
    EXPECT_EQ(session_.headerList.sortColumn, 0);
    EXPECT_FALSE(session_.headerList.ascending);
    EXPECT_THAT(Shown(0), ElementsAre("[ Feature Style - c ]", "[ Feature Style - b ]",
                                      "[ Feature Style - A ]"));
}

TEST(HeaderListTest, SortIgnoresCaseAndKeepsInsertionOrderOfTies) {
    HeaderList list;
    list.rows = {{"[ X - b ]", "0001", 0}, {"[ x - B ]", "0002", 0}, {"[ X - a ]", "0003", 0},
                 {"[ X - B ]", "0004", 0}};
    EXPECT_THAT(list.DisplayOrder(), ElementsAre(0, 1, 2, 3));
    list.sorted = true;
    list.sortColumn = 0;
    EXPECT_THAT(list.DisplayOrder(), ElementsAre(2, 0, 1, 3));
    list.ascending = false;
    EXPECT_THAT(list.DisplayOrder(), ElementsAre(0, 1, 3, 2));
}

// --- Moving keywords ---------------------------------------------------------

TEST(MoveSelectedItemsTest, KeepsEveryKeywordInExactlyOneSortedList) {
    std::vector<std::string> from = {"alpha", "Beta", "beta", "Delta", "echo", "Gamma"};
    std::vector<std::string> to = {"ALPHA", "charlie", "Zulu"};
    std::sort(from.begin(), from.end(), model::KeywordLess);
    std::sort(to.begin(), to.end(), model::KeywordLess);
    std::vector<std::string> everything = from;
    everything.insert(everything.end(), to.begin(), to.end());

    MoveSelectedItems(from, to, {5, 0, 2, 2, 99});  // unordered, repeated, out of range
    EXPECT_THAT(from, ElementsAre("Beta", "Delta", "echo"));
    EXPECT_TRUE(std::is_sorted(to.begin(), to.end(), model::KeywordLess));
    EXPECT_EQ(to.size(), 6u);

    std::vector<std::string> now = from;
    now.insert(now.end(), to.begin(), to.end());
    std::sort(now.begin(), now.end());
    std::sort(everything.begin(), everything.end());
    EXPECT_EQ(now, everything);
}

TEST_F(KeywordsTest, AddAllOfManyKeywordsIsFast) {
    constexpr int kCount = 100000;
    Lines lines;
    lines.reserve(kCount * 2);
    for (int i = kCount; i > 0; --i) {
        lines.push_back("[ Feature Style - " + std::string(i % 2 ? "k" : "K") + std::to_string(i) +
                        " ]");
        lines.push_back("Color=1");
    }
    Load(lines);
    ASSERT_EQ(session_.keywords.available.size(), static_cast<std::size_t>(kCount));

    const auto start = std::chrono::steady_clock::now();
    AddAll(session_, host_, context_);
    std::vector<std::size_t> half;
    for (std::size_t i = 0; i < kCount; i += 2) half.push_back(i);
    Remove(session_, host_, context_, half);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    // Remove changed the count, so the rows now stand for the remaining half.
    EXPECT_EQ(session_.headerList.rows.size(), static_cast<std::size_t>(kCount / 2));
    EXPECT_EQ(session_.keywords.available.size() + session_.keywords.selected.size(),
              static_cast<std::size_t>(kCount));
    EXPECT_TRUE(std::is_sorted(session_.keywords.available.begin(),
                               session_.keywords.available.end(), model::KeywordLess));
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

}  // namespace
}  // namespace quillset::selection
