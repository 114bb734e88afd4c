// The CSV and TAB imports: rows to INI lines, and the sample back through
// its own exports and through a spreadsheet's save.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <regex>

#include "exports/csv_export.h"
#include "exports/tsv_export.h"
#include "model/conversion.h"
#include "model/csv_import.h"
#include "model/definition_blocks.h"
#include "platform/text_file.h"
#include "support/fake_host.h"
#include "support/text_lines.h"

namespace quillset::model {
namespace {

using Lines = std::vector<std::string>;

std::optional<Lines> Convert(const Lines& lines, SourceKind kind, testing::FakeHost& host) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    return ConvertSourceLines(views, kind, host);
}

Lines SampleLines() {
    const auto read = platform::ReadTextLines(QUILLSET_SAMPLES_DIR "/office_standard.ini");
    EXPECT_TRUE(read.ok);
    return testing::Strings(read.text.lines);
}

// Header -> non-empty body lines of the blocks whose category is in `keep`;
// blocks of the same header are joined.
std::map<std::string, Lines> Blocks(const Lines& lines, std::initializer_list<Category> keep) {
    std::map<std::string, Lines> blocks;
    Lines* current = nullptr;
    for (const auto& line : lines) {
        if (IsHeaderLine(line)) {
            const Category c = CategoryOf(line);
            current = std::find(keep.begin(), keep.end(), c) != keep.end() ? &blocks[line] : nullptr;
        } else if (current && !line.empty()) {
            current->push_back(line);
        }
    }
    return blocks;
}

TEST(CsvImport, RowTagsFirstOfEachGroupIgnoringCaseWithTheCharacterAfter) {
    const std::pair<const char*, const char*> cases[] = {
        {"H,x,<Default>,<Line  >,000K=,a", "H,x,000K=,a"},
        {"H,x,<plan   >,<TEXT  >,004K=", "H,x,004K="},
        {"H,,<Plan   >,<Point>,005K=,", "H,,<Point>,005K=,"},  // no blank: not a tag
        {"H,<Symbol>,<Line  >,<Xsec   >,<Profile>", "H,<Symbol>,<Xsec   >,"},
        {"H,<Point >", "H,"},  // a tag ending the row
    };
    for (const auto& [row, stripped] : cases) EXPECT_EQ(StripRowTags(row), stripped) << row;
}

TEST(CsvImport, LevelCellIsCheckedOnTheThirdCommaAfterTheKey) {
    struct Case {
        const char* row;
        bool ok;
        std::optional<std::string> result;
        const char* said;  // question or message, "" for none
    };
    const std::string h = "[ Named Symbology - A ]";
    const Case cases[] = {
        {"[ Named Symbology - A ],x,000K=,L,0,2", true, h + ",x,000K=,L,63,2", "changing [ Named Symbology - A ] level num 0 to 63"},
        {"[ Named Symbology - A ],x,000K=,L,64,2", true, h + ",x,000K=,L,63,2", "changing [ Named Symbology - A ] level num 64 to 63"},
        {"[ Named Symbology - A ],x,000K=,L,-1,2", true, h + ",x,000K=,L,63,2", "changing [ Named Symbology - A ] level num -1 to 63"},
        {"[ Named Symbology - A ],x,000K=,L,abc,2", true, h + ",x,000K=,L,63,2", "changing [ Named Symbology - A ] non numeric level number abc to 63"},
        {"[ Named Symbology - A ],x,000K=,L,,2", true, h + ",x,000K=,L,63,2", "changing [ Named Symbology - A ] non numeric level number  to 63"},
        {"[ Named Symbology - A ],x,000K=,L,abc,2", false, std::nullopt, "changing [ Named Symbology - A ] non numeric level number abc to 63"},
        {"[ Named Symbology - A ],x,000K=,L, 12.5 ,2", true, h + ",x,000K=,L, 12.5 ,2", ""},
        {"[ Named Symbology - A ],x,000K=,L,1,2", true, h + ",x,000K=,L,1,2", ""},
        {"[ Named Symbology - A ],x,000K=,L,63,2", true, h + ",x,000K=,L,63,2", ""},
        {"[ Named Symbology - A ],,000K=,L,99,2", true, "", ""},  // empty use mark
        {"[ Feature Style - F ],<Feature>,F,1", true, "[ Feature Style - F ],<Feature>,F,1", ""},
        {"[ Named Symbology - A ],x,000K=", true, h + ",x,000K=", ""},  // no values: no level
        {"[ Named Symbology - A ],x,000K=,L,2", true, "", "Bad Line = [ Named Symbology - A ],x,000K=,L,2"},
        // Only a symbology row's level cell is ever replaced: not a feature
        // text or a dropped row holding "=", nor the cells after a header or
        // a use mark holding "=" or "0".
        {"[ Feature Style - F ],<Feature>,F,a=b,1,0", true, "[ Feature Style - F ],<Feature>,F,a=b,1,0", ""},
        {"[ Preferences - P ],<Wysiwyg>,A=1,2", true, "[ Preferences - P ],<Wysiwyg>,A=1,2", ""},
        {"[ Named Symbology - A=B ],x,000K=,L,5,2", true, "[ Named Symbology - A=B ],x,000K=,L,5,2", ""},
        {"[ Named Symbology - A ],1=0,000K=,L,5,2", true, "[ Named Symbology - A ],1=0,000K=,L,5,2", ""},
    };
    for (const Case& c : cases) {
        testing::FakeHost host;
        host.answers = {c.ok};
        EXPECT_EQ(CheckLevelNumber(c.row, host), c.result) << c.row;
        Lines said = host.questions;
        said.insert(said.end(), host.messages.begin(), host.messages.end());
        EXPECT_EQ(said, *c.said ? Lines{c.said} : Lines{}) << c.row;
    }
}

TEST(CsvImport, SymbologyRowGivesTheKeyCellJoinedToItsValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"[ Named Symbology - A ],x,000K=,Walls,12,3", "000K=Walls,12,3"},
        {"[ Named Symbology - A 1,x,001K=,W,12,3", "001K=W,12,3"},  // no "]": the first cell
        {"[ Named Symbology - A ],x,002K=typed", "002K=typed"},
        {"[ Named Symbology - A ],x,010Note", "010Note"},
        {"[ Named Symbology - A ],x,003K=", "003K="},  // every value cell empty
        {"[ Named Symbology - A ],x,Key=,1", ""},
        {"[ Named Symbology - A ],x,0", ""},
        {"[ Named Symbology - A=0 ],10,000K=,L,5,2", "000K=L,5,2"},  // "0" in the header and the use mark
    };
    for (const auto& [row, line] : cases) EXPECT_EQ(SymbologyRowToLine(row), line) << row;
}

TEST(CsvImport, RowsSortIgnoringCaseIntoBlocksAndBadFlagsAreReportedOnce) {
    testing::FakeHost host;
    const Lines csv = {
        " Header-Definition,<used?>,<Location>",
        "[ Named Symbology - b ],x,<Plan   >,<Line  >,003PlanLineSymbology=,L,5,1",
        "[ Feature Style - Z ],<Feature>,Z,desc,1,,x,,,,,,1.5,1,P,2.5",
        "[ named symbology - B ],x,<Default>,<Line  >,000DefaultLineSymbology=,L,5,1",
        "[ Named Symbology - B ],,<Default>,<Text  >,001DefaultTextSymbology=,",
        "[ Preferences - P ],<Wysiwyg>,<P>,A",
        "[ Feature Style - Y ],,Y",  // its tag emptied: not imported
        "[ Feature Style - A ],<Feature>,A,d,0.4,70000",
    };
    EXPECT_EQ(Convert(csv, SourceKind::Csv, host), (Lines{
        "[ Feature Style - A ]", "000SymbologyName=A", "001Description=d", "002DisplayAsLine=0",
        "003DisplayAsPoint=0", "004Annotate=0", "005DisplayAsLineInProfile=0", "007AnnotateInProfile=0",
        "008DisplayAsPointInXs=0", "009AnnotateInXs=0", "010PlanarizeFlag=0", "011PlanarElevation=",
        "012AttachTag=0", "013PayItem=", "014DisplayAsCrossingPointInProfile=0",
        "015DisplayAsProjectedPointInProfile=0", "",
        "[ Feature Style - Z ]", "000SymbologyName=Z", "001Description=desc", "002DisplayAsLine=1",
        "003DisplayAsPoint=0", "004Annotate=0", "005DisplayAsLineInProfile=0", "007AnnotateInProfile=0",
        "008DisplayAsPointInXs=0", "009AnnotateInXs=0", "010PlanarizeFlag=0", "011PlanarElevation=1.5",
        "012AttachTag=1", "013PayItem=P", "014DisplayAsCrossingPointInProfile=1",
        "015DisplayAsProjectedPointInProfile=0", "",
        "[ named symbology - B ]", "000DefaultLineSymbology=L,5,1", "003PlanLineSymbology=L,5,1"}));
    EXPECT_EQ(host.messages, Lines{"Feature flags that were empty, not a number or out of range were read as 0 "
                                   "in these rows:\n[ Feature Style - A ]: 003DisplayAsPoint"
                                   "\n[ Feature Style - Z ]: 003DisplayAsPoint, 004Annotate, "
                                   "005DisplayAsLineInProfile, 007AnnotateInProfile, 008DisplayAsPointInXs, "
                                   "009AnnotateInXs, 010PlanarizeFlag"});
}

TEST(CsvImport, WellFormedQuotedCellsAreUnquotedCellByCellInAnyRow) {
    testing::FakeHost host;
    EXPECT_EQ(Convert({" Header-Definition,<used?>",
                       "\"[ Named Symbology - \"\"Q\"\" ]\",\"x\",\"<Plan   >\",\"003K=\",\"L\",5,1,,",
                       "[ Named Symbology - R ],x,004K=,\"\"\"\",5,\"a\"b\",\"c,d\"",
                       "[ Feature Style - F ],<Feature>,F,\"18\"\" RCP\",1"},
                      SourceKind::Csv, host),
              (Lines{"[ Feature Style - F ]", "000SymbologyName=F", "001Description=18\" RCP", "002DisplayAsLine=1",
                     "003DisplayAsPoint=0", "004Annotate=0", "005DisplayAsLineInProfile=0", "007AnnotateInProfile=0",
                     "008DisplayAsPointInXs=0", "009AnnotateInXs=0", "010PlanarizeFlag=0", "011PlanarElevation=",
                     "012AttachTag=0", "013PayItem=", "014DisplayAsCrossingPointInProfile=0",
                     "015DisplayAsProjectedPointInProfile=0", "",
                     "[ Named Symbology - \"Q\" ]", "003K=L,5,1", "",
                     // a quote not doubled, and a cell cut by a comma, stay as they were
                     "[ Named Symbology - R ]", "004K=\",5,\"a\"b\",\"c,d\""}));
}

TEST(CsvImport, IniFilesComeBackThroughTheirExportAndThroughASpreadsheetSave) {
    // What the format carries: named symbologies with their lines numbered
    // 000-011, and feature styles with their keys 000-015 but 006 (the
    // unnamed one has only two of them), when no value holds a comma (a
    // comma shifts the later cells, which the flag message then reports).
    // Calc's save (tests/data, made by tests/data/make_resaved: by default,
    // and with every text cell quoted) quotes cells, pads rows with commas
    // and rewrites numbers ("1.0" as 1, "0.00" as 0, "1.20" as 1.2).
    const auto rewrite = [](std::string line) {
        static const std::regex number("(=|,)(-?[0-9]+)\\.([0-9]*?)0*(?=,|$)");
        static const std::regex bare("\\.(?=,|$)");
        return std::regex_replace(std::regex_replace(line, number, "$1$2.$3"), bare, "");
    };
    const auto read = [](const std::string& path) {
        const auto file = platform::ReadTextLines(path);
        EXPECT_TRUE(file.ok) << path;
        return testing::Strings(file.text.lines);
    };
    for (const char* name : {"office_standard", "quotes"}) {
        const bool sample = name == std::string("office_standard");
        const Lines ini = sample ? SampleLines() : read(QUILLSET_DATA_DIR "/quotes.ini");
        Lines rewritten;
        for (const auto& line : ini) rewritten.push_back(IsHeaderLine(line) ? line : rewrite(line));
        if (sample)
            ASSERT_EQ(rewritten[46], "004PlanTextSymbology=RD-CURB-TXT,12,3,0,Standard,2.5,2.5,1.2,Annotation,0,0,7,0,0,0,0,0,0,0,1,0,0,0");

        for (const char* saved : {"", "_resaved.csv", "_resaved_quoted.csv"}) {
            const std::string file = *saved ? name + std::string(saved) : "the export of " + std::string(name);
            testing::FakeHost host;
            const auto back = Convert(*saved ? read(std::string(QUILLSET_DATA_DIR "/") + name + saved)
                                             : exports::CsvExportLines(ini),
                                      SourceKind::Csv, host);
            ASSERT_TRUE(back) << file;
            auto expected = Blocks(*saved ? rewritten : ini, {Category::Feature, Category::Symbol});
            auto returned = Blocks(*back, {Category::Feature, Category::Symbol});
            EXPECT_EQ(returned.size(), !sample ? 3u : *saved ? 14u : 15u) << file;
            if (sample) {
                for (const char* shifted : {"[ Feature Style - Fence ]", "[ Feature Style - Storm pipe ]"}) {
                    EXPECT_NE(host.messages.back().find(shifted), std::string::npos) << file;
                    returned.erase(shifted), expected.erase(shifted);
                }
                // Its keyword is empty, so the export of every keyword leaves it out.
                if (*saved) {
                    EXPECT_EQ(returned.count("[ Feature Style - ]"), 0u);
                } else {
                    EXPECT_EQ(returned["[ Feature Style - ]"][1], "001Description=unnamed");
                }
                returned.erase("[ Feature Style - ]"), expected.erase("[ Feature Style - ]");
            } else {
                EXPECT_EQ(host.messages, Lines{}) << file;  // "=" and quotes raise no level question
                EXPECT_EQ(host.questions, Lines{}) << file;
            }
            EXPECT_EQ(returned, expected) << file;
        }
    }
}

// Header -> its numbered settings in number order, the last of a number
// winning: what a preferences table carries of each preference block.
std::map<std::string, std::map<int, std::string>> NumberedSettings(const Lines& lines) {
    std::map<std::string, std::map<int, std::string>> blocks;
    std::map<int, std::string>* current = nullptr;
    for (const auto& line : lines) {
        if (IsHeaderLine(line)) {
            current = CategoryOf(line) == Category::Preference ? &blocks[line] : nullptr;
        } else if (const auto k = LineNumber(line); current && k && *k >= 0 && *k <= 499) {
            (*current)[*k] = line;
        }
    }
    return blocks;
}

TEST(TsvImport, ColumnsBecomeBlocksTopToBottom) {
    testing::FakeHost host;
    EXPECT_EQ(Convert({"[ A ]\t\t [ not a header ]", "000a=1\t[ B ]", "\t000b=1\t001c=1", "001a=1"}, SourceKind::Tab, host),
              (Lines{"", "[ A ]", "000a=1", "001a=1", "", "[ B ]", "000b=1", " [ not a header ]", "001c=1"}));
}

TEST(TsvImport, ExportedTablesComeBackWithEveryColumn) {
    // 300 blocks: wider than any fixed column limit.
    Lines ini;
    for (int b = 0; b < 300; ++b) {
        ini.push_back("[ Preferences - P" + std::to_string(b) + " ]");
        for (int k = b % 7; k < 480; k += 37 + b % 5) ini.push_back(std::to_string(100 + k).substr(0, 3) + "K" + std::to_string(b) + "=v");
        ini.push_back("005K=later");
        ini.push_back("NoNumber=1");
    }
    testing::FakeHost host;
    for (const Lines& source : {ini, SampleLines()}) {
        const Lines back = *Convert(exports::TsvExportLines(source).lines, SourceKind::Tab, host);
        EXPECT_EQ(NumberedSettings(back), NumberedSettings(source));
    }
    EXPECT_EQ(NumberedSettings(ini).size(), 300u);
}

}  // namespace
}  // namespace quillset::model
