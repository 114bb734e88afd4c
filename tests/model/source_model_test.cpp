#include "model/source_model.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/definition_blocks.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::model {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

void ExpectInvariants(const SourceCounts& c) {
    EXPECT_EQ(c.allLines, c.featureLines + c.symbolLines + c.filterLines + c.prefLines);
    EXPECT_EQ(c.allDefs, c.featureDefs + c.symbolDefs + c.filterDefs + c.prefDefs);
    EXPECT_LE(c.wysDefs, c.prefDefs);
    EXPECT_LE(c.wysLines, c.prefLines);
}

const Lines kMixed = {
    "; written by hand",                  // before the first header: Preference
    "",
    "[ Feature Style - Curb ]",           // Feature
    "LineSymbology=Curb",
    "[ Named Symbology - Curb ]",         // Symbol
    "PlanLineSymbology=Curb,12,3 , ,",
    "\t",
    "[ Feature Filter - Kerbs ]",         // Filter
    "Include=Curb",
    "[ Wysiwyg Settings ]",               // Wysiwyg, stored with preferences
    "PlotScale=500",
    "Units=m",
    "[ Preferences - General ]",          // Preference
    "001Setting=1",
    "[ Feature Style - Curb ]",           // duplicated block
    "LineSymbology=Curb2",
};

TEST(CountLinesTest, CountsEveryCategoryAndKeepsInvariants) {
    const SourceCounts c = CountLines(kMixed);
    EXPECT_EQ(c.allLines, 16);
    EXPECT_EQ(c.allDefs, 6);
    EXPECT_EQ(c.featureDefs, 2);
    EXPECT_EQ(c.featureLines, 4);
    EXPECT_EQ(c.symbolDefs, 1);
    EXPECT_EQ(c.symbolLines, 3);
    EXPECT_EQ(c.filterDefs, 1);
    EXPECT_EQ(c.filterLines, 2);
    EXPECT_EQ(c.prefDefs, 2);
    EXPECT_EQ(c.prefLines, 2 + 3 + 2);
    EXPECT_EQ(c.wysDefs, 1);
    EXPECT_EQ(c.wysLines, 3);
    ExpectInvariants(c);
}

TEST(CountLinesTest, WysiwygFlagEndsAtNextHeaderOfAnyCategory) {
    const Lines lines = {"[ Wysiwyg Settings ]", "a=1", "[ Preferences - Misc ]", "b=2",
                         "[ WYSIWYG - Plot Scale ]", "c=3", "[ Feature Style - X ]", "d=4"};
    const SourceCounts c = CountLines(lines);
    EXPECT_EQ(c.wysDefs, 2);
    EXPECT_EQ(c.wysLines, 4);
    EXPECT_EQ(c.prefDefs, 3);
    EXPECT_EQ(c.prefLines, 6);
    EXPECT_EQ(c.featureLines, 2);
    ExpectInvariants(c);
}

TEST(CountLinesTest, CountsLinesAsReadWithoutCleaning) {
    // A blank before the bracket: not a header, so it stays in the Feature block.
    const Lines lines = {"[ Feature Style - A ]", " [ Named Symbology - A ]", "x=1"};
    const SourceCounts c = CountLines(lines);
    EXPECT_EQ(c.allDefs, 1);
    EXPECT_EQ(c.featureLines, 3);
    EXPECT_EQ(c.symbolLines, 0);
}

TEST(CountLinesTest, NoHeaderMeansAllPreferenceLines) {
    const SourceCounts c = CountLines({"a=1", "", "b=2"});
    EXPECT_EQ(c.allLines, 3);
    EXPECT_EQ(c.prefLines, 3);
    EXPECT_EQ(c.allDefs, 0);
    EXPECT_EQ(c.prefDefs, 0);
    ExpectInvariants(c);
    EXPECT_EQ(CountLines({}), SourceCounts{});
}

TEST(CountLinesTest, ReportsProgressAfterEachHeader) {
    std::vector<SourceCounts> seen;
    CountLines(kMixed, [&](const SourceCounts& c) { seen.push_back(c); });
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].allLines, 3);
    EXPECT_EQ(seen[0].featureDefs, 1);
    EXPECT_EQ(seen[3].wysDefs, 1);
    EXPECT_EQ(seen[5].allLines, 15);
}

TEST(LoadLinesTest, RoutesCleanedLinesIntoCategoryArrays) {
    SourceModel m;
    LoadLines(m, kMixed);
    EXPECT_EQ(m.featureLines, (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb",
                                     "[ Feature Style - Curb ]", "LineSymbology=Curb2", ""}));
    EXPECT_EQ(m.symbolLines,
              (Lines{"[ Named Symbology - Curb ]", "PlanLineSymbology=Curb,12,3", "\t", ""}));
    EXPECT_EQ(m.filterLines, (Lines{"[ Feature Filter - Kerbs ]", "Include=Curb", ""}));
    EXPECT_EQ(m.preferenceLines,
              (Lines{"; written by hand", "", "[ Wysiwyg Settings ]", "PlotScale=500", "Units=m",
                     "[ Preferences - General ]", "001Setting=1", ""}));
    EXPECT_TRUE(m.counted);
    EXPECT_EQ(m.counts, CountLines(kMixed));
    EXPECT_EQ(m.featureLines.size(), static_cast<std::size_t>(m.counts.featureLines) + 1);
    EXPECT_EQ(m.preferenceLines.size(), static_cast<std::size_t>(m.counts.prefLines) + 1);
}

TEST(LoadLinesTest, HeaderChangedByCleaningDoesNotOverrun) {
    // Counted as a Preference header as read, a Symbol header once cleaned.
    SourceModel m;
    LoadLines(m, {"[ Named Symbology,", "x=1"});
    EXPECT_EQ(m.symbolLines, (Lines{"[ Named Symbology", "x=1", ""}));
    EXPECT_EQ(m.preferenceLines, Lines{""});
    // The counts stay those of the lines as read, as the labels show them.
    EXPECT_EQ(m.counts.prefDefs, 1);
    EXPECT_EQ(m.counts.prefLines, 2);
    EXPECT_EQ(m.counts.symbolLines, 0);
    EXPECT_GT(m.symbolLines.size(), static_cast<std::size_t>(m.counts.symbolLines) + 1);
}

TEST(WorkingLinesTest, ConcatenatesInFixedOrderWithClosingEntries) {
    SourceModel m;
    LoadLines(m, kMixed);
    BuildWorkingLines(m, {true, true, true, true});
    Lines expected;
    for (const auto* a : {&m.featureLines, &m.symbolLines, &m.filterLines, &m.preferenceLines})
        expected.insert(expected.end(), a->begin(), a->end());
    expected.emplace_back();
    EXPECT_EQ(m.workingLines, expected);

    BuildWorkingLines(m, {false, true, false, true});
    expected = m.symbolLines;
    expected.insert(expected.end(), m.preferenceLines.begin(), m.preferenceLines.end());
    expected.emplace_back();
    EXPECT_EQ(m.workingLines, expected);

    BuildWorkingLines(m, {false, false, false, false});
    EXPECT_EQ(m.workingLines, Lines{""});
}

TEST(WorkingLinesTest, EmptySourceGivesFiveEmptyEntries) {
    SourceModel m;
    LoadLines(m, {});
    EXPECT_EQ(m.featureLines, Lines{""});
    EXPECT_EQ(m.symbolLines, Lines{""});
    EXPECT_EQ(m.filterLines, Lines{""});
    EXPECT_EQ(m.preferenceLines, Lines{""});
    BuildWorkingLines(m, {});
    EXPECT_EQ(m.workingLines, Lines(5));
    EXPECT_TRUE(FillAvailableKeywords(m).empty());
    EXPECT_EQ(m.headerList, Lines{""});
}

TEST(KeywordsTest, DistinctExactNamesSortedIgnoringCase) {
    SourceModel m;
    LoadLines(m, {"[ Feature Style - Curb ]", "[ Named Symbology - Curb ]", "[ Feature Style - curb ]",
                  "[ Feature Style - ]", "[ Main Window Position ]", "[ Preferences - apron ]",
                  "[ Feature Style - Curb ]", "[ Feature Style - Bank ]"});
    BuildWorkingLines(m, {});
    EXPECT_EQ(FillAvailableKeywords(m),
              (Lines{"[ Main Window Position ]", "apron", "Bank", "Curb", "curb"}));
    // Every header, the empty-named one and the duplicate included.
    EXPECT_EQ(m.headerList.size(), 9u);
    EXPECT_EQ(m.headerList.back(), "");
}

// Lower-case letters spelling i in base 26, four of them, so their order is
// the order of i.
std::string Letters(int i) {
    std::string s(4, 'a');
    for (auto k = s.size(); k-- > 0; i /= 26) s[k] = static_cast<char>('a' + i % 26);
    return s;
}

std::string Capitalised(std::string s, bool all) {
    for (std::size_t k = 0; k < (all ? s.size() : 1); ++k)
        s[k] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[k])));
    return s;
}

TEST(KeywordsTest, HundredThousandShuffledKeywordsDeduplicatedAndSorted) {
    // Each name in two spellings, upper-led and all lower-case, so a plain
    // byte sort (capitals first) or a case-folding de-duplication shows.
    constexpr int kNames = 50'000;
    Lines expected;
    Lines headers;
    for (int i = 0; i < kNames; ++i) {
        const std::string lower = Letters(i);
        const std::string upper = Capitalised(lower, i % 2 == 0);
        expected.push_back(upper);  // capitals first among names equal but for case
        expected.push_back(lower);
        headers.push_back("[ Feature Style - " + upper + " ]");
        headers.push_back("[ Named Symbology - " + lower + " ]");
        if (i % 3 == 0) headers.push_back("[ Named Symbology - " + upper + " ]");
        if (i % 5 == 0) headers.push_back("[ Preferences - " + lower + " ]");
    }
    std::shuffle(headers.begin(), headers.end(), std::mt19937(20240611));
    SourceModel m;
    LoadLines(m, headers);
    BuildWorkingLines(m, {});
    const Lines keywords = FillAvailableKeywords(m);
    ASSERT_EQ(keywords.size(), 100'000u);
    EXPECT_EQ(keywords, expected);
    EXPECT_EQ(m.headerList.size(), headers.size() + 1);
}

TEST(KeywordsTest, HeaderListTakesLinesThatAreHeadersOnceTrimmed) {
    SourceModel m;
    m.workingLines = {"  [ Preferences - Indented ]  ", "\t[ Preferences - Tabbed ]", "x", ""};
    EXPECT_EQ(FillAvailableKeywords(m), Lines{"Indented"});
    EXPECT_EQ(m.headerList, (Lines{"[ Preferences - Indented ]", ""}));
}

TEST(SourceKindTest, LastThreeCharactersIgnoringCase) {
    EXPECT_EQ(SourceKindOf("a.csv"), SourceKind::Csv);
    EXPECT_EQ(SourceKindOf("A.CSV"), SourceKind::Csv);
    EXPECT_EQ(SourceKindOf("reportcsv"), SourceKind::Csv);
    EXPECT_EQ(SourceKindOf("b.Txt"), SourceKind::Tab);
    EXPECT_EQ(SourceKindOf("c.ini"), SourceKind::Ini);
    EXPECT_EQ(SourceKindOf("c.csv.ini"), SourceKind::Ini);
    EXPECT_EQ(SourceKindOf("sv"), SourceKind::Ini);
    EXPECT_EQ(SourceKindOf(""), SourceKind::Ini);
    EXPECT_EQ(PresetFor(SourceKind::Csv), (CategoryChoice{true, true, false, false}));
    EXPECT_EQ(PresetFor(SourceKind::Tab), (CategoryChoice{false, false, false, true}));
    EXPECT_EQ(PresetFor(SourceKind::Ini), (CategoryChoice{true, true, true, true}));
}

class SourceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quillset_model_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (fs::path(dir_) / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void ProcessOk(const std::string& path) {
        ASSERT_TRUE(ProcessSource(session_, host_, path, SourceKind::Ini, {}));
    }

    std::string dir_;
    Session session_;
    testing::FakeHost host_;
};

const char kSample[] =
    "[ Feature Style - Curb ]\r\nLineSymbology=Curb\r\n"
    "[ Named Symbology - Curb ]\r\nTextSymbology=1,2,3\r\n"
    "[ Preferences - General ]\r\n001Setting=1\r\n";

TEST_F(SourceFileTest, CountSourceSetsOnlyTheCounts) {
    const auto path = Write("s.ini", kSample);
    ASSERT_TRUE(CountSource(session_, host_, path));
    EXPECT_TRUE(session_.source.counted);
    EXPECT_EQ(session_.source.counts.allLines, 6);
    EXPECT_EQ(session_.source.counts.featureLines, 2);
    EXPECT_EQ(session_.source.featureLines, Lines{""});
    EXPECT_EQ(session_.source.workingLines, Lines{""});

    // Enter in the name box after processing and selecting: the selection
    // must still find its blocks.
    ProcessOk(path);
    const SourceModel processed = session_.source;
    session_.keywords.selected = {"Curb"};
    ASSERT_TRUE(CountSource(session_, host_, path));
    EXPECT_EQ(session_.source.featureLines, processed.featureLines);
    EXPECT_EQ(session_.source.symbolLines, processed.symbolLines);
    EXPECT_EQ(session_.source.workingLines, processed.workingLines);
    EXPECT_EQ(session_.source.headerList, processed.headerList);
    selection::RefreshMatchingHeaders(session_, host_, {path, {}});
    EXPECT_EQ(session_.selectedHeaders,
              (Lines{"", "[ Feature Style - Curb ]", "[ Named Symbology - Curb ]"}));
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(SourceFileTest, ProcessSourceReadsTheFileAgain) {
    const auto path = Write("s.ini", "a=1\n");
    ASSERT_TRUE(CountSource(session_, host_, path));
    // Changed on disk after counting, with more and other blocks.
    Write("s.ini", std::string(kSample) + "[ Feature Filter - Kerbs ]\r\nInclude=Curb\r\n");
    ProcessOk(path);
    const auto& m = session_.source;
    EXPECT_EQ(m.counts.allLines, 8);
    EXPECT_EQ(m.counts.allDefs, 4);
    EXPECT_EQ(m.counts.filterLines, 2);
    EXPECT_EQ(m.counts.prefLines, 2);
    EXPECT_EQ(m.featureLines, (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb", ""}));
    EXPECT_EQ(m.filterLines, (Lines{"[ Feature Filter - Kerbs ]", "Include=Curb", ""}));
    EXPECT_EQ(m.preferenceLines, (Lines{"[ Preferences - General ]", "001Setting=1", ""}));
    EXPECT_EQ(m.headerList.size(), 5u);
    EXPECT_EQ(session_.keywords.available, (Lines{"Curb", "General", "Kerbs"}));
}

TEST_F(SourceFileTest, ProcessSourceFillsModelAndResetsSelection) {
    const auto path = Write("s.ini", kSample);
    session_.keywords.available = {"old"};
    session_.keywords.selected = {"Old"};
    session_.headerList.rows.push_back({"[ X - old ]", "0001", 0});
    session_.selectedHeaders = {"", "[ X - old ]"};
    ASSERT_TRUE(ProcessSource(session_, host_, path, SourceKind::Ini, {true, false, false, true}));
    EXPECT_EQ(session_.keywords.available, (Lines{"Curb", "General"}));
    EXPECT_TRUE(session_.keywords.selected.empty());
    EXPECT_TRUE(session_.headerList.rows.empty());
    EXPECT_EQ(session_.selectedHeaders, Lines{""});
    EXPECT_EQ(session_.source.workingLines,
              (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb", "",
                     "[ Preferences - General ]", "001Setting=1", "", ""}));
    EXPECT_EQ(session_.source.headerList,
              (Lines{"[ Feature Style - Curb ]", "[ Preferences - General ]", ""}));
}

TEST_F(SourceFileTest, KeepsEveryByteExceptTheLineEndJunk) {
    std::string bytes = "[ Preferences - Caf\xe9 ]\r\nA=\xff\x80";
    bytes += '\0';
    bytes += "x\nB=1\rC=\x01z\r\n\r\nD=last , ";
    bytes += '\0';
    const auto path = Write("bytes.ini", bytes);
    ProcessOk(path);
    std::string a = "A=\xff\x80";
    a += '\0';
    a += 'x';
    EXPECT_EQ(session_.source.preferenceLines,
              (Lines{"[ Preferences - Caf\xe9 ]", a, "B=1", "C=\x01z", "", "D=last", ""}));
    EXPECT_EQ(session_.source.counts.allLines, 6);
    EXPECT_EQ(session_.keywords.available, Lines{"Caf\xe9"});
}

TEST_F(SourceFileTest, EmptyFileGivesEmptyModel) {
    ProcessOk(Write("empty.ini", ""));
    EXPECT_EQ(session_.source.counts, SourceCounts{});
    EXPECT_EQ(session_.source.workingLines, Lines(5));
    EXPECT_TRUE(session_.keywords.available.empty());
}

TEST_F(SourceFileTest, UnreadableFileKeepsPreviousModel) {
    ProcessOk(Write("s.ini", kSample));
    const Session before = session_;
    const std::string folder = (fs::path(dir_) / "folder.ini").string();
    fs::create_directory(folder);

    EXPECT_FALSE(CountSource(session_, host_, folder));
    EXPECT_FALSE(ProcessSource(session_, host_, folder, SourceKind::Ini, {}));
    ASSERT_EQ(host_.messages.size(), 2u);
    EXPECT_EQ(host_.messages[0], "Unable to read " + folder + ": it is a folder");
    EXPECT_EQ(session_.source.workingLines, before.source.workingLines);
    EXPECT_EQ(session_.source.featureLines, before.source.featureLines);
    EXPECT_EQ(session_.source.counts, before.source.counts);
    EXPECT_EQ(session_.keywords.available, before.keywords.available);
}

TEST_F(SourceFileTest, SpreadsheetAndTabSourcesAreNotYetRead) {
    ProcessOk(Write("s.ini", kSample));
    const auto available = session_.keywords.available;
    const auto csv = Write("s.csv", "a,b\r\n");
    for (SourceKind kind : {SourceKind::Csv, SourceKind::Tab}) {
        EXPECT_FALSE(ProcessSource(session_, host_, csv, kind, PresetFor(kind)));
    }
    ASSERT_EQ(host_.messages.size(), 2u);
    EXPECT_EQ(host_.messages[0],
              "Reading spreadsheet (.csv) and tab-separated (.txt) sources arrives in a later "
              "version of Quillset.");
    EXPECT_EQ(session_.keywords.available, available);
    EXPECT_EQ(session_.source.counts.allLines, 6);
}

TEST(SampleFileTest, OfficeStandardAnalysesConsistently) {
    Session session;
    testing::FakeHost host;
    const std::string path = QUILLSET_SAMPLES_DIR "/office_standard.ini";
    ASSERT_TRUE(CountSource(session, host, path));
    const SourceCounts counted = session.source.counts;
    ASSERT_TRUE(ProcessSource(session, host, path, SourceKind::Ini, {}));
    const SourceCounts& c = session.source.counts;
    EXPECT_EQ(c, counted);
    ExpectInvariants(c);
    EXPECT_EQ(c.wysDefs, 2);
    EXPECT_GT(c.filterDefs, 2);  // the feature style named "... Filter Strip" too
    EXPECT_EQ(session.source.preferenceLines.front().rfind(";", 0), 0u);
    const auto& kw = session.keywords.available;
    EXPECT_EQ(std::count(kw.begin(), kw.end(), "Curb"), 1);
    EXPECT_EQ(std::count(kw.begin(), kw.end(), "Labels"), 1);
    EXPECT_EQ(std::count(kw.begin(), kw.end(), "Storm pipe"), 1);
    EXPECT_EQ(std::count(kw.begin(), kw.end(), "Storm Pipe"), 1);
    EXPECT_EQ(std::count(kw.begin(), kw.end(), ""), 0);
    EXPECT_TRUE(std::is_sorted(kw.begin(), kw.end(), KeywordLess));
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace quillset::model
