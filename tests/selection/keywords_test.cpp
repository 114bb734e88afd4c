#include "selection/keywords.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <numeric>

#include <unistd.h>

#include "model/definition_blocks.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::selection {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;
const std::string kEmptyMsg(kEmptySelectionMessage);

// A processed source: INI lines loaded, working lines built, every keyword
// Available, and an existing source file behind context.sourcePath.
class Keywords : public ::testing::Test {
protected:
    Keywords() {
        dir = fs::temp_directory_path() / ("quillset_kw_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        context.sourcePath = (dir / "source.ini").string();
        std::ofstream(context.sourcePath) << "[ Feature Style - Curb ]\r\n";
    }
    ~Keywords() override { fs::remove_all(dir); }
    void Load(const Lines& lines) {
        model::LoadLines(s.source, lines);
        model::BuildWorkingLines(s.source, context.categories);
        s.keywords.available = model::FillAvailableKeywords(s.source);
    }
    std::size_t At(const Lines& list, const std::string& keyword) {
        return static_cast<std::size_t>(std::find(list.begin(), list.end(), keyword) - list.begin());
    }
    CommandResult AddOf(const Lines& keywords) {
        std::vector<std::size_t> picked;
        for (const auto& k : keywords) picked.push_back(At(s.keywords.available, k));
        return Add(s, host, context, picked);
    }
    CommandResult RemoveAll() {
        std::vector<std::size_t> all(s.keywords.selected.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        return Remove(s, host, context, all);
    }
    Lines Column(int column) const {
        Lines out;
        for (const auto i : s.headerList.DisplayOrder())
            out.push_back(column == 0 ? s.headerList.rows[i].header : s.headerList.rows[i].order);
        return out;
    }

    fs::path dir;
    RefreshContext context;
    Session s;
    testing::FakeHost host;
};

const Lines kCurbs = {"[ Named Symbology - Curb ]", "Color=1", "[ Feature Style - Curb ]",
                      "Symbology=Curb", "[ Feature Style - Curb Left ]", "[ Feature Style - curb ]",
                      "[ Feature Style - Fence ]"};
const std::string kFsCurb = "[ Feature Style - Curb ]", kNsCurb = "[ Named Symbology - Curb ]";

TEST_F(Keywords, MatchingIsByExactWholeNameAcrossCategoriesAndOccurrences) {
    Load(kCurbs);
    EXPECT_EQ(AddOf({"Curb"}).functions, FunctionSwitch::Enable);
    EXPECT_THAT(Column(0), ElementsAre(kFsCurb, kNsCurb));  // Feature lines come first
    EXPECT_THAT(Column(1), ElementsAre("0001", "0002"));

    s.keywords.selected = {"Cur", "curb"};
    CollectSelectedHeaders(s, host, {kFsCurb, kNsCurb});
    EXPECT_THAT(s.selectedHeaders, ElementsAre(""));

    Load({kFsCurb, "a=1", "[ Feature Style - Fence ]", kFsCurb});
    s.keywords.selected = {"Curb"};
    RefreshMatchingHeaders(s, host, context);
    ASSERT_EQ(s.headerList.rows.size(), 2u);
    EXPECT_EQ(s.headerList.rows[0].occurrence, 0u);
    EXPECT_EQ(s.headerList.rows[1].occurrence, 1u);
    EXPECT_THAT(Column(1), ElementsAre("0001", "0002"));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST(OrderKey, PadsToFourDigits) {
    EXPECT_EQ(OrderKey(0), "0000");
    EXPECT_EQ(OrderKey(42), "0042");
    EXPECT_EQ(OrderKey(9999), "9999");
    EXPECT_EQ(OrderKey(12345), "12345");
}

TEST_F(Keywords, AnIndentedHeaderIsListedButSelectsNothing) {
    Load({"[ Feature Style - A ]", "x=1", " [ Feature Style - B ]", "y=2"});
    EXPECT_THAT(s.keywords.available, ElementsAre("A", "B"));  // listed from the trimmed line
    EXPECT_EQ(AddOf({"B"}).functions, FunctionSwitch::Enable);
    EXPECT_THAT(s.headerList.rows, IsEmpty());  // matched only as stored
    EXPECT_THAT(host.messages, IsEmpty());
    AddOf({"A"});
    EXPECT_THAT(Column(0), ElementsAre("[ Feature Style - A ]"));
}

TEST_F(Keywords, GrepMovesCaseSensitiveSubstringsAndEmptyTextMovesAll) {
    Load(kCurbs);
    const auto none = Grep(s, host, context, "Kerb");  // nothing selected: nothing happens
    EXPECT_FALSE(none.refreshed);
    EXPECT_EQ(none.functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(host.messages, IsEmpty());

    EXPECT_TRUE(Grep(s, host, context, "Curb").refreshed);
    EXPECT_THAT(s.keywords.selected, ElementsAre("Curb", "Curb Left"));
    EXPECT_THAT(s.keywords.available, ElementsAre("curb", "Fence"));
    EXPECT_EQ(Grep(s, host, context, "").functions, FunctionSwitch::Enable);
    EXPECT_THAT(s.keywords.available, IsEmpty());
    EXPECT_EQ(s.keywords.selected.size(), 4u);

    SortHeaderList(s, 0);
    const auto again = Grep(s, host, context, "Kerb");  // moves nothing, still rebuilds
    EXPECT_TRUE(again.refreshed);
    EXPECT_EQ(again.functions, FunctionSwitch::Enable);
    EXPECT_EQ(s.headerList.sortColumn, 1);
}

TEST_F(Keywords, AMissingSourceEndsAddAllAndGrepBeforeTheyEnable) {
    Load(kCurbs);
    fs::remove(context.sourcePath);
    const std::string invalid(kInvalidSourceMessage);
    auto result = AddOf({"Fence"});  // Add enables before its refresh
    EXPECT_EQ(result.functions, FunctionSwitch::Enable);
    EXPECT_TRUE(result.sourceMissing);
    result = Grep(s, host, context, "Curb");
    EXPECT_EQ(result.functions, FunctionSwitch::Unchanged);
    EXPECT_TRUE(result.sourceMissing);
    result = AddAll(s, host, context);
    EXPECT_EQ(result.functions, FunctionSwitch::Unchanged);
    EXPECT_TRUE(result.sourceMissing);
    EXPECT_THAT(host.messages, ElementsAre(invalid, invalid, invalid));
}

TEST_F(Keywords, RemovingEverythingDependsOnTheLastCountedSelection) {
    Load(kCurbs);
    AddOf({"Curb", "Fence"});
    auto removed = Remove(s, host, context, {0});  // Curb goes, Fence stays selected
    EXPECT_EQ(removed.functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(Column(0), ElementsAre("[ Feature Style - Fence ]"));
    removed = RemoveAll();
    EXPECT_EQ(removed.functions, FunctionSwitch::Disable);
    EXPECT_THAT(host.messages, ElementsAre(kEmptyMsg));
    EXPECT_THAT(s.headerList.rows, IsEmpty());

    Load(kCurbs);
    s.keywords.selected.clear();
    s.keywords.lastGrepCount = 0;
    AddAll(s, host, context);
    ASSERT_EQ(s.headerList.rows.size(), 5u);
    removed = RemoveAll();
    EXPECT_EQ(removed.functions, FunctionSwitch::Disable);
    EXPECT_EQ(s.headerList.rows.size(), 5u);  // count equals lastGrepCount: no rebuild
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Keywords, AddAllOfNothingOnlyComplains) {
    EXPECT_EQ(AddAll(s, host, context).functions, FunctionSwitch::Unchanged);
    EXPECT_THAT(host.messages, ElementsAre(kEmptyMsg));
}

TEST_F(Keywords, ColumnClicksFlipDirectionAndARefreshResetsToOrder) {
    Load({"[ Feature Style - b ]", "[ Feature Style - A ]", "[ Feature Style - c ]",
          "[ Feature Style - d ]"});
    AddOf({"A", "b", "c"});
    SortHeaderList(s, 1);
    EXPECT_THAT(Column(1), ElementsAre("0003", "0002", "0001"));
    SortHeaderList(s, 1);
    EXPECT_THAT(Column(1), ElementsAre("0001", "0002", "0003"));
    SortHeaderList(s, 0);  // the direction flips on every click, whichever column
    EXPECT_THAT(Column(0), ElementsAre("[ Feature Style - c ]", "[ Feature Style - b ]",
                                       "[ Feature Style - A ]"));
    AddOf({"d"});
    EXPECT_EQ(s.headerList.sortColumn, 1);
    EXPECT_TRUE(s.headerList.ascending);
    EXPECT_THAT(Column(1), ElementsAre("0001", "0002", "0003", "0004"));
}

TEST_F(Keywords, OrderColumnSortsNumericallyPastFourDigits) {
    Lines lines(10002, kFsCurb);
    lines.push_back("[ Feature Style - Fence ]");
    Load(lines);
    AddOf({"Curb"});
    Lines up;
    for (std::int64_t k = 1; k <= 10002; ++k) up.push_back(OrderKey(k));
    SortHeaderList(s, 1);
    EXPECT_EQ(Column(1), Lines(up.rbegin(), up.rend()));
    SortHeaderList(s, 1);
    EXPECT_EQ(Column(1), up);
    SortHeaderList(s, 0);
    AddOf({"Fence"});  // the view stays sorted, now by Order ascending
    up.push_back("10003");
    EXPECT_EQ(Column(1), up);
    EXPECT_EQ(Column(0).back(), "[ Feature Style - Fence ]");
}

TEST_F(Keywords, AccentedCapitalsSortBesideTheirSmallLetters) {
    Load({"[ P - \xC9gout ]", "[ P - zone ]", "[ P - \xD6l ]", "[ P - \xE9gout ]"});
    AddAll(s, host, context);
    EXPECT_THAT(s.keywords.selected, ElementsAre("zone", "\xC9gout", "\xE9gout", "\xD6l"));
    SortHeaderList(s, 0);  // descending; rows equal but for case keep their order
    EXPECT_THAT(Column(0), ElementsAre("[ P - \xD6l ]", "[ P - \xC9gout ]", "[ P - \xE9gout ]",
                                       "[ P - zone ]"));
}

TEST_F(Keywords, SwapOfEqualCountsAndMissingSourceKeepTheOldRows) {
    Load({"[ Feature Style - A ]", "[ Feature Style - B ]", "[ Feature Style - C ]",
          "[ Feature Style - D ]", "[ Feature Style - E ]", "[ Feature Style - F ]"});
    AddOf({"A", "C", "E"});
    const Lines rows = Column(0);
    EXPECT_FALSE(Swap(s, host, context).refreshed);
    EXPECT_THAT(s.keywords.selected, ElementsAre("B", "D", "F"));
    EXPECT_EQ(Column(0), rows);

    fs::remove(context.sourcePath);
    const KeywordLists lists = s.keywords;
    const Lines headers = s.selectedHeaders;
    const auto result = RefreshMatchingHeaders(s, host, context);
    EXPECT_TRUE(result.sourceMissing);
    EXPECT_FALSE(result.refreshed);
    EXPECT_THAT(host.messages, ElementsAre("Invalid source.ini, exiting..."));
    EXPECT_EQ(s.keywords.available, lists.available);
    EXPECT_EQ(s.keywords.selected, lists.selected);
    EXPECT_EQ(s.selectedHeaders, headers);
    EXPECT_EQ(Column(0), rows);
}

TEST_F(Keywords, SwapIntoAnEmptySelectionRebuildsOnlyWhenTheCountChanged) {
    Load(kCurbs);
    AddOf({"Fence"});            // last count 1
    Grep(s, host, context, "");  // Available now empty; the count is not consulted
    auto result = Swap(s, host, context);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_TRUE(result.refreshed);
    EXPECT_THAT(s.headerList.rows, IsEmpty());
    EXPECT_THAT(host.messages, ElementsAre(kEmptyMsg));
    EXPECT_EQ(s.keywords.lastGrepCount, 0u);

    AddAll(s, host, context);  // count stays 0
    result = Swap(s, host, context);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_FALSE(result.refreshed);
    EXPECT_TRUE(result.headerListChanged);
    EXPECT_THAT(s.headerList.rows, IsEmpty());
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Keywords, EveryKeywordStaysInExactlyOneSortedList) {
    Load({"[ P - alpha ]", "[ P - Beta ]", "[ P - beta ]", "[ P - Delta ]", "[ P - echo ]",
          "[ P - Gamma ]", "[ P - ALPHA ]", "[ P - charlie ]", "[ P - Zulu ]"});
    Lines all = s.keywords.available;
    AddOf({"Zulu", "alpha", "beta"});
    Grep(s, host, context, "a");
    Remove(s, host, context, {0, 2, 2, 99});
    Swap(s, host, context);
    AddOf({"Delta"});
    for (const Lines* list : {&s.keywords.available, &s.keywords.selected})
        EXPECT_TRUE(std::is_sorted(list->begin(), list->end(), model::KeywordLess));
    Lines now = s.keywords.available;
    now.insert(now.end(), s.keywords.selected.begin(), s.keywords.selected.end());
    std::sort(now.begin(), now.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(now, all);
}

TEST_F(Keywords, ClearRefillsAvailableButKeepsTheLastCount) {
    Load(kCurbs);
    AddOf({"Curb", "Fence"});
    const auto result = Clear(s);
    EXPECT_EQ(result.functions, FunctionSwitch::Disable);
    EXPECT_THAT(s.keywords.available, ElementsAre("Curb", "curb", "Curb Left", "Fence"));
    EXPECT_THAT(s.keywords.selected, IsEmpty());
    EXPECT_THAT(s.headerList.rows, IsEmpty());
    EXPECT_EQ(s.keywords.lastGrepCount, 2u);
    EXPECT_FALSE(Add(s, host, context, {0, 1}).refreshed);  // same count as last tested
}

TEST_F(Keywords, SelectionCountsPastSixteenBitsAreKeptWhole) {
    Lines lines;
    for (int i = 0; i < 65536; ++i) lines.push_back("[ P - k" + std::to_string(i) + " ]");
    Load(lines);
    std::vector<std::size_t> picked(65536);
    std::iota(picked.begin(), picked.end(), std::size_t{0});
    EXPECT_TRUE(Add(s, host, context, picked).refreshed);  // 65,536 is not 0
    EXPECT_EQ(s.headerList.rows.size(), 65536u);
    Clear(s);
    picked.resize(40000);
    EXPECT_TRUE(Add(s, host, context, picked).refreshed);
    EXPECT_EQ(s.keywords.lastGrepCount, 40000u);
    Clear(s);
    EXPECT_FALSE(Add(s, host, context, picked).refreshed);  // still counts only
}

TEST_F(Keywords, AddAllOfAHundredThousandKeywordsIsQuick) {
    Lines lines;
    for (int i = 100000; i > 0; --i) lines.push_back("[ Feature Style - k" + std::to_string(i) + " ]");
    Load(lines);
    const auto start = std::chrono::steady_clock::now();
    AddAll(s, host, context);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(s.keywords.selected.size(), 100000u);
    EXPECT_EQ(s.headerList.rows.size(), 100000u);
}

}  // namespace
}  // namespace quillset::selection
