#include "model/source_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/source_commands.h"
#include "model/definition_blocks.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"
#include "support/text_lines.h"

namespace quillset::model {
namespace {

using Lines = std::vector<std::string>;
using testing::Strings;
using testing::TextOf;

// Everything an analysis replaces: the four category arrays, the working
// lines and the header list.
std::vector<Lines> Arrays(const SourceModel& m) {
    return {Strings(m.FeatureLines()),    Strings(m.SymbolLines()),  Strings(m.FilterLines()),
            Strings(m.PreferenceLines()), Strings(m.workingLines), Strings(m.headerList)};
}

const Lines kMixed = {
    "; written by hand", "",                             // before any header: Preference
    "[ Feature Style - Curb ]", "LineSymbology=Curb",    // Feature
    " [ Named Symbology - Curb ]",                       // a blank first: no header
    "[ Named Symbology - Curb ]", "PlanLineSymbology=Curb,12,3 , ,", "\t",  // Symbol
    "[ Feature Filter - Kerbs ]", "Include=Curb",        // Filter
    "[ Wysiwyg Settings ]", "PlotScale=500", "Units=m",  // Wysiwyg, among the preferences
    "[ Feature Style - Curb ]", "LineSymbology=Curb2",   // the same block again
    "[ Preferences - General ]", "001Setting=1",         // Preference
    "[ Named Symbology,", "x=1"};  // Preference as read, Symbol once cleaned

TEST(CountLinesTest, CountsEveryCategoryAsReadAndReportsProgressAfterEachHeader) {
    std::vector<SourceCounts> seen;
    const SourceCounts c = CountLines(*TextOf(kMixed).bytes, [&](const SourceCounts& p) { seen.push_back(p); });
    // The two lines before the first header are preference lines; the
    // Wysiwyg block counts among the preferences too and ends at the next
    // header, a Feature one here.
    EXPECT_EQ(c, (SourceCounts{.allLines = 19, .allDefs = 7, .featureDefs = 2, .featureLines = 5,
                               .symbolDefs = 1, .symbolLines = 3, .filterDefs = 1, .filterLines = 2,
                               .prefDefs = 3, .prefLines = 9, .wysDefs = 1, .wysLines = 3}));
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen[0].allLines, 3);
    EXPECT_EQ(seen[6].allLines, 18);
}

TEST(LoadLinesTest, FilesCleanedLinesInCategoryArraysEachClosedByAnEmptyEntry) {
    SourceModel m;
    LoadLines(m, TextOf(kMixed));
    EXPECT_EQ(Strings(m.FeatureLines()), (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb",
                                     " [ Named Symbology - Curb ]", "[ Feature Style - Curb ]",
                                     "LineSymbology=Curb2", ""}));
    EXPECT_EQ(Strings(m.SymbolLines()), (Lines{"[ Named Symbology - Curb ]", "PlanLineSymbology=Curb,12,3",
                                    "\t", "[ Named Symbology", "x=1", ""}));
    EXPECT_EQ(Strings(m.FilterLines()), (Lines{"[ Feature Filter - Kerbs ]", "Include=Curb", ""}));
    EXPECT_EQ(Strings(m.PreferenceLines()),
              (Lines{"; written by hand", "", "[ Wysiwyg Settings ]", "PlotScale=500", "Units=m",
                     "[ Preferences - General ]", "001Setting=1", ""}));
    EXPECT_TRUE(m.counted);
    EXPECT_EQ(m.counts, CountLines(*TextOf(kMixed).bytes));  // as read, although the arrays outgrow them
}

TEST(WorkingLinesTest, TickedArraysInFixedOrderAndBlocksEndingWithTheirCategory) {
    SourceModel m;
    LoadLines(m, TextOf(kMixed));
    BuildWorkingLines(m, {false, true, false, true});
    Lines expected = Strings(m.SymbolLines());
    expected.insert(expected.end(), m.PreferenceLines().begin(), m.PreferenceLines().end());
    expected.emplace_back();
    EXPECT_EQ(Strings(m.workingLines), expected);
    EXPECT_EQ(m.workingClosings, (std::vector<std::size_t>{5, 13, 14}));  // each array's closing entry, then the last
    BuildWorkingLines(m, {});
    const model::Lines& w = m.workingLines;
    const auto block = [&](const std::string& header) {
        const auto at = static_cast<std::size_t>(std::find(w.begin(), w.end(), header) - w.begin());
        return Lines(w.begin() + at, w.begin() + WorkingBlockEnd(m, at));
    };
    // An indented header does not end a block.
    EXPECT_EQ(block("[ Feature Style - Curb ]"),
              (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb",
                     " [ Named Symbology - Curb ]"}));
    // The preference lines before the first header follow it but do not join it.
    EXPECT_EQ(block("[ Feature Filter - Kerbs ]"),
              (Lines{"[ Feature Filter - Kerbs ]", "Include=Curb", ""}));
    EXPECT_EQ(block("[ Preferences - General ]"),
              (Lines{"[ Preferences - General ]", "001Setting=1", ""}));
}

TEST(KeywordsTest, DistinctExactNamesSortedIgnoringCaseFromLinesThatAreHeadersOnceTrimmed) {
    SourceModel m;
    m.workingLines = {"[ Feature Style - Curb ]", "[ Named Symbology - Curb ]",
                      "[ Feature Style - curb ]", "x=1", "[ Feature Style - ]",
                      "[ Main Window Position ]", "  [ Preferences - apron ]  ",
                      "\t[ Preferences - Tabbed ]", "[ Feature Style - Bank ]", ""};
    EXPECT_EQ(Strings(FillAvailableKeywords(m)),
              (Lines{"[ Main Window Position ]", "apron", "Bank", "Curb", "curb"}));
    // Every header, trimmed, the empty-named one and the duplicate included.
    EXPECT_EQ(Strings(m.headerList), (Lines{"[ Feature Style - Curb ]", "[ Named Symbology - Curb ]",
                                   "[ Feature Style - curb ]", "[ Feature Style - ]",
                                   "[ Main Window Position ]", "[ Preferences - apron ]",
                                   "[ Feature Style - Bank ]", ""}));
}

TEST(KeywordsTest, HundredThousandShuffledKeywordsDeduplicatedAndSorted) {
    // Four lower-case letters spelling i in base 26 (so their order is that of
    // i), each also upper-led or all capitals: a plain byte sort (capitals
    // first) or a case-folding de-duplication shows.
    Lines expected, headers;
    for (int i = 0; i < 50'000; ++i) {
        std::string lower(4, 'a');
        for (int k = 3, n = i; k >= 0; --k, n /= 26) lower[k] = static_cast<char>('a' + n % 26);
        std::string upper = lower;
        for (int k = 0; k < (i % 2 == 0 ? 4 : 1); ++k) upper[k] = static_cast<char>(lower[k] - 32);
        // Capitals first among names equal but for case.
        expected.insert(expected.end(), {upper, lower});
        headers.push_back("[ Feature Style - " + upper + " ]");
        headers.push_back("[ Named Symbology - " + lower + " ]");
        if (i % 3 == 0) headers.push_back("[ Named Symbology - " + upper + " ]");
        if (i % 5 == 0) headers.push_back("[ Preferences - " + lower + " ]");
    }
    std::shuffle(headers.begin(), headers.end(), std::mt19937(20240611));
    SourceModel m;
    LoadLines(m, TextOf(headers));
    BuildWorkingLines(m, {});
    EXPECT_EQ(Strings(FillAvailableKeywords(m)), expected);
    EXPECT_EQ(m.headerList.size(), headers.size() + 1);
}

TEST(SourceKindTest, LastThreeCharactersIgnoringCasePresetTheBoxes) {
    const std::pair<const char*, SourceKind> names[] = {
        {"A.CSV", SourceKind::Csv},     {"reportcsv", SourceKind::Csv}, {"b.Txt", SourceKind::Tab},
        {"c.csv.ini", SourceKind::Ini}, {"sv", SourceKind::Ini},        {"", SourceKind::Ini}};
    for (const auto& [name, kind] : names) EXPECT_EQ(SourceKindOf(name), kind) << name;
    EXPECT_EQ(PresetFor(SourceKind::Csv), (CategoryChoice{true, true, false, false}));
    EXPECT_EQ(PresetFor(SourceKind::Tab), (CategoryChoice{false, false, false, true}));
    EXPECT_EQ(PresetFor(SourceKind::Ini), (CategoryChoice{true, true, true, true}));
}

class SourceFileTest : public ::testing::Test {
protected:
    void ProcessOk(const std::string& path, const CategoryChoice& choice = {}) {
        ASSERT_TRUE(app::ProcessSource(session_, host_, settings_, path, SourceKind::Ini, choice));
    }

    testing::ScratchDir dir_;
    Session session_;
    testing::FakeHost host_;
    testing::FakeSettings settings_;
};

const std::string kSample =
    "[ Feature Style - Curb ]\r\nLineSymbology=Curb\r\n"
    "[ Named Symbology - Curb ]\r\nTextSymbology=1,2,3\r\n"
    "[ Preferences - General ]\r\n001Setting=1\r\n";

TEST_F(SourceFileTest, CountSourceSetsOnlyTheCountsAndProcessSourceReadsTheFileAgain) {
    const auto path = dir_.Write("s.ini", kSample);
    ASSERT_TRUE(CountSource(session_.source, host_, path));
    EXPECT_EQ(session_.source.counts,
              (SourceCounts{.allLines = 6, .allDefs = 3, .featureDefs = 1, .featureLines = 2,
                            .symbolDefs = 1, .symbolLines = 2, .prefDefs = 1, .prefLines = 2}));
    EXPECT_TRUE(session_.source.counted);
    EXPECT_EQ(Arrays(session_.source), Arrays(SourceModel{}));

    // Changed on disk after counting, with another block, a lone CR and bytes
    // kept or dropped as line-end junk.
    dir_.Write("s.ini", kSample + "[ Feature Filter - Kerbs ]\rInclude=\x80" + '\0' + "x , " + '\0');
    session_.selection.keywords.selected = {"Old"};
    session_.selection.headerList.rows.push_back({"[ X - old ]", 1, 0});
    session_.selection.selectedHeaders = {"", "[ X - old ]"};
    ProcessOk(path, {true, false, false, true});
    const SourceModel& m = session_.source;
    EXPECT_EQ(m.counts.allLines, 8);
    const std::string kept = "Include=\x80" + std::string(1, '\0') + "x";
    EXPECT_EQ(Strings(m.FilterLines()), (Lines{"[ Feature Filter - Kerbs ]", kept, ""}));
    EXPECT_EQ(Strings(m.workingLines), (Lines{"[ Feature Style - Curb ]", "LineSymbology=Curb", "",
                                     "[ Preferences - General ]", "001Setting=1", "", ""}));
    EXPECT_EQ(Strings(m.headerList), (Lines{"[ Feature Style - Curb ]", "[ Preferences - General ]", ""}));
    EXPECT_EQ(Strings(session_.selection.keywords.available), (Lines{"Curb", "General"}));
    EXPECT_TRUE(session_.selection.keywords.selected.empty());
    EXPECT_TRUE(session_.selection.headerList.rows.empty());
    EXPECT_EQ(Strings(session_.selection.selectedHeaders), Lines{""});

    // Enter in the name box after processing: the loaded lines stay for the
    // selection in progress.
    const SourceModel processed = m;
    ASSERT_TRUE(CountSource(session_.source, host_, path));
    EXPECT_EQ(Arrays(m), Arrays(processed));
    EXPECT_TRUE(host_.messages.empty());
}

// The keyword list read straight from the file equals the one processing
// fills, for every category choice: random sources of header lines, headers
// led by blanks or junk, "[" inside body lines, line-end junk and every
// terminator, larger than the blocks the file is read in and with a line
// longer than one.
TEST_F(SourceFileTest, ScanKeywordsFindsTheListProcessingFillsForEveryChoice) {
    const char* const kinds[] = {"[ Feature Style - ", "[ Named Symbology - ", "[ Feature Filter - ",
                                 "[ Preferences - ",   "  [ Feature Style - ", "[ WYSIWYG Settings - ",
                                 "x=[ Feature Style - ", "\t[ Named Symbology - ", "[ named symbology,"};
    const char* const names[] = {"Curb", "curb", "Kerb ", "", "A-B", "Lamp]x"};
    std::mt19937 random(7);
    std::string bytes = "; before any header\r\n[ - ]\n";
    const auto pick = [&](auto& from) { return from[random() % std::size(from)]; };
    while (bytes.size() < 2'500'000) {
        if (random() % 4 == 0) {
            bytes += std::string(pick(kinds)) + pick(names) + std::to_string(random() % 500) + " ]";
        } else {
            bytes += "001Setting=" + std::to_string(random());
        }
        if (random() % 20000 == 0) bytes += std::string(1'200'000, 'y') + "[ Feature Style - Long ]";
        bytes += random() % 3 ? "\r\n" : (random() % 2 ? "\n" : "\r");
        if (random() % 50 == 0) bytes += std::string("\0\n", 2);
    }
    bytes += std::string(1'100'000, 'z') + "\r\n[ Preferences - Last ]";  // no final line end
    const auto path = dir_.Write("big.ini", bytes);
    for (const CategoryChoice choice : {CategoryChoice{}, CategoryChoice{true, false, false, false},
                                        CategoryChoice{false, true, true, false},
                                        CategoryChoice{false, false, false, true}}) {
        ProcessOk(path, choice);
        const auto list = ScanKeywords(host_, path, choice);
        ASSERT_TRUE(list.has_value());
        EXPECT_EQ(Strings(list->keywords), Strings(session_.selection.keywords.available));
        EXPECT_GT(list->keywords.size(), 10u);
    }
    EXPECT_FALSE(ScanKeywords(host_, dir_.Path("gone.ini"), {}).has_value());
    EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(SourceFileTest, UnreadableOrCancelledSourceKeepsThePreviousModel) {
    ProcessOk(dir_.Write("s.ini", kSample));
    const SourceModel before = session_.source;
    const Lines availableBefore = Strings(session_.selection.keywords.available);
    const auto folder = dir_.Path("folder.ini");
    std::filesystem::create_directory(folder);
    const auto csv = dir_.Write("s.csv", "[ Named Symbology - A ],x,000K=,L,99,1\r\n");

    EXPECT_FALSE(CountSource(session_.source, host_, folder));
    EXPECT_FALSE(app::ProcessSource(session_, host_, settings_, folder, SourceKind::Ini, {}));
    host_.answers = {false};  // Cancel at the level question
    EXPECT_FALSE(app::ProcessSource(session_, host_, settings_, csv, SourceKind::Csv, PresetFor(SourceKind::Csv)));
    EXPECT_EQ(host_.questions, Lines{"changing [ Named Symbology - A ] level num 99 to 63"});
    const std::string unreadable = "Unable to read " + folder + ": it is a folder";
    EXPECT_EQ(host_.messages, (Lines{unreadable, unreadable}));
    EXPECT_EQ(Arrays(session_.source), Arrays(before));
    EXPECT_EQ(session_.source.counts, before.counts);
    EXPECT_EQ(Strings(session_.selection.keywords.available), availableBefore);
}

}  // namespace
}  // namespace quillset::model
