// The hand-off of the output lines, and the INI, CSV and TSV exports.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/export_commands.h"
#include "app/results.h"
#include "exports/csv_export.h"
#include "exports/ini_subset.h"
#include "exports/scratch_dir.h"
#include "exports/tsv_export.h"
#include "model/output_lines.h"
#include "selection/keywords.h"
#include "support/text_lines.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using testing::FileBytes;

class HandOff : public testing::HandOffTest {
protected:
    bool Show(const Lines& appended) {
        for (const auto& line : appended) s.output.Append(line);
        return app::ShowResults(s, host, settings);
    }
    std::string Written(const Lines& appended) {
        EXPECT_TRUE(Show(appended));
        return FileBytes("quillset.tmp");
    }
};

TEST_F(HandOff, DefaultFileGetsTheCollapsedLinesByteForByte) {
    std::string raw = "k=";
    for (int b = 0x80; b <= 0xFF; ++b) raw += static_cast<char>(b);
    raw += std::string(1, '\0') + "z\r";
    EXPECT_EQ(Written({}), "");
    // Leading blanks dropped, runs of blanks written once, one closing blank.
    EXPECT_EQ(Written({"", "", "A", "", "", "B"}), "A\r\n\r\nB\r\n\r\n");
    EXPECT_EQ(Written({raw}), "A\r\n\r\nB\r\n" + raw + "\r\n\r\n");  // the hand-off keeps the lines
    EXPECT_EQ(host.shownFiles, Lines(3, "quillset.tmp"));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(settings.values.empty());
}

TEST(OutputLines, KeepsEveryLineWholeAndClearKeepsTheCount) {
    model::OutputLines output;
    auto file = std::make_shared<const std::string>("[ A ]\r\nk=1\r\n");
    const std::string_view inFile(file->data(), 5);
    const std::string longLine(3'000'000, 'x');  // longer than a byte block
    for (int i = 0; i < 40'000; ++i) output.Append(std::to_string(i));  // past a block of views
    output.Append(inFile, file);
    output.Append("elsewhere", file);  // not in the file: copied
    output.Append(longLine);
    output.Append("after");
    file.reset();  // the output holds the file's bytes itself
    ASSERT_EQ(output.Count(), 40'004);
    for (int i = 0; i < 40'000; i += 997) ASSERT_EQ(output[i], std::to_string(i));
    EXPECT_EQ(output[40'000], "[ A ]");
    EXPECT_EQ(output[40'001], "elsewhere");
    EXPECT_EQ(output[40'002], longLine);
    EXPECT_EQ(output[40'003], "after");
    // More files in one block of lines than it keeps bases for, each file's
    // lines met from its end back.
    std::vector<std::shared_ptr<const std::string>> files;
    for (int f = 0; f < 20; ++f) files.push_back(std::make_shared<const std::string>("f" + std::to_string(f) + "ab"));
    model::OutputLines many;
    for (int at = 2; at >= 0; --at)
        for (const auto& f : files) many.Append(std::string_view(*f).substr(static_cast<std::size_t>(at)), f);
    for (int at = 2, i = 0; at >= 0; --at)
        for (const auto& f : files) ASSERT_EQ(many[i++], std::string_view(*f).substr(static_cast<std::size_t>(at)));
    output.TruncateTo(40'001);
    EXPECT_EQ(output.Lines().back(), "[ A ]");
    output.Clear();
    EXPECT_EQ(output.Lines(), Lines(40'001));
    output.Append("new");
    EXPECT_EQ(output.Count(), 40'002);
    EXPECT_EQ(model::RenderOutput(output), "new\r\n\r\n");
}

TEST_F(HandOff, UnusableNamesGoThroughTheTempWindowAndOnlyOneThatWorksIsSaved) {
    // Not deletable (a /proc file defies even root), not creatable (no such
    // folder), a folder in the way: each opens the window with that name.
    std::filesystem::create_directory("dir.tmp");
    std::ofstream("dir.tmp/keep") << "kept";
    settings.Save("Tempfile", "FileName", "/proc/version");
    host.tempNames = {"missing/a.tmp", "dir.tmp", std::nullopt, "new.tmp"};
    EXPECT_FALSE(Show({"A"}));  // given up
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("dir.tmp"), std::string::npos);
    EXPECT_TRUE(host.shownFiles.empty());
    EXPECT_EQ(settings.Read("Tempfile", "FileName", ""), "/proc/version");
    EXPECT_EQ(FileBytes("dir.tmp/keep"), "kept");

    ASSERT_TRUE(Show({}));  // the lines kept from the attempt above
    EXPECT_EQ(host.tempWindowShownWith, (Lines{"/proc/version", "missing/a.tmp", "dir.tmp", "/proc/version"}));
    EXPECT_EQ(settings.Read("Tempfile", "FileName", ""), "new.tmp");
    EXPECT_EQ(host.shownFiles, Lines{"new.tmp"});
    EXPECT_EQ(FileBytes("new.tmp"), "A\r\n\r\n");
    ASSERT_TRUE(Show({}));  // straight to the stored name
    EXPECT_EQ(host.tempWindowShownWith.size(), 4u);
}

TEST_F(HandOff, AResultsNameThatIsAnInputGoesThroughTheTempWindow) {
    // Deleting the old results file would delete the source or the test file.
    std::ofstream("source.ini") << "[a]";
    std::ofstream("test.ini") << "[b]";
    s.comparison.test.path = "test.ini";
    for (const char* input : {"source.ini", "./test.ini"}) {
        settings.Save("Tempfile", "FileName", input);
        host.tempNames = {"new.tmp"};
        s.output.Append("A");
        ASSERT_TRUE(app::ShowResults(s, host, settings, "source.ini")) << input;
        EXPECT_EQ(host.tempWindowShownWith.back(), input);
    }
    EXPECT_EQ(FileBytes("source.ini"), "[a]");
    EXPECT_EQ(FileBytes("test.ini"), "[b]");
}

// A processed source file with `keywords` selected and the header list built.
class IniSubset : public testing::HandOffTest {
protected:
    IniSubset() { std::ofstream(context.sourcePath) << "[ Feature Style - Curb ]\r\n"; }
    void Process(const Lines& lines, const Lines& keywords) {
        model::LoadLines(s.source, quillset::testing::TextOf(lines));
        model::BuildWorkingLines(s.source, context.categories);
        s.selection.keywords.available = model::FillAvailableKeywords(s.source);
        keywords_ = keywords;  // kept here: the selection holds views
        s.selection.keywords.selected.assign(keywords_.begin(), keywords_.end());
        selection::RefreshMatchingHeaders(s.selection, s.source, host, context);
    }
    std::string Exported() {
        EXPECT_TRUE(app::ExportIniSubset(s, host, settings, context.sourcePath));
        return FileBytes("quillset.tmp");
    }

    selection::RefreshContext context{"source.ini", {}};
    Lines keywords_;
};

TEST_F(IniSubset, ListedBlocksExportWholeOnceEachInDisplayOrderAndAccumulate) {
    Process({"[ Feature Style - Curb ]", "a=1", "", "", "b=2", "[ Named Symbology - Curb ]", "c=3",
             "[ Feature Style - Fence ]", "d=4", "[ Feature Style - Curb ]", "e=5"},
            {"Curb", "Fence"});
    s.selection.headerList.rows.push_back({"[ Feature Style - Gone ]", 9, 0});  // not in the file
    s.outputKind = 2;
    // Each "Curb" feature style row yields its own block, listed or sorted.
    const std::string listed = platform::RenderLines({"[ Feature Style - Curb ]", "a=1", "", "b=2", "[ Feature Style - Fence ]",
                                     "d=4", "[ Feature Style - Curb ]", "e=5", "",
                                     "[ Named Symbology - Curb ]", "c=3", ""});
    EXPECT_EQ(Exported(), listed);
    EXPECT_EQ(s.outputKind, 0);
    selection::SortHeaderList(s.selection.headerList, 1);  // Order column, descending
    const Lines byOrder = {"[ Named Symbology - Curb ]", "c=3", "", "[ Feature Style - Curb ]", "e=5", "",
                           "[ Feature Style - Fence ]", "d=4", "[ Feature Style - Curb ]", "a=1", "", "b=2", ""};
    EXPECT_EQ(Exported(), listed + platform::RenderLines(byOrder));
    EXPECT_EQ(quillset::testing::Strings(s.selection.selectedHeaders), (Lines{"", byOrder[0], byOrder[3], byOrder[6], byOrder[8]}));
    EXPECT_EQ(host.shownFiles.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(IniSubset, LinesBeforeTheFirstHeaderJoinNoBlock) {
    // They stand right behind the filter lines in the working lines; the
    // filter block ends with the empty entry that closes its category.
    Process({"; office standard", "Version=7", "", "[ Feature Filter - Drainage ]", "c=1",
             "[ Dialog Boxes - Position ]", "x=1"},
            {"Drainage", "Position"});
    EXPECT_EQ(Exported(), platform::RenderLines({"[ Feature Filter - Drainage ]", "c=1", "", "[ Dialog Boxes - Position ]",
                                "x=1", ""}));
}

TEST_F(IniSubset, EmptySelectionSaysSoButHandsOffWhileAMissingSourceStopsEverything) {
    Process({"[ Feature Style - Fence ]", "d=4"}, {"Fence"});
    s.selection.keywords.selected.clear();
    s.output.Append("earlier");
    EXPECT_EQ(Exported(), "earlier\r\n\r\n");
    EXPECT_EQ(host.messages, Lines{std::string(selection::kEmptySelectionMessage)});

    s.selection.keywords.selected = {"Fence"};
    std::filesystem::remove(context.sourcePath);
    EXPECT_FALSE(app::ExportIniSubset(s, host, settings, context.sourcePath));
    EXPECT_EQ(host.messages.back(), selection::kInvalidSourceMessage);
    EXPECT_EQ(s.output.Count(), 1);  // nothing collected
    EXPECT_EQ(host.shownFiles.size(), 1u);
}

// Slots as OutputLines holds them: empty slots anywhere, several blocks.
Lines Body(const Lines& slots) {
    const Lines all = CsvExportLines(slots);
    return Lines(all.begin() + 6, all.end());
}

TEST(CsvExport, TitleRowsAreWrittenByteForByteEvenWithoutBlocks) {
    EXPECT_EQ(CsvExportLines({"lines before any header", "", "[ Feature Filter - F ]", "a=1", "[ P ]"}),
              (Lines{
                  " Header-Definition,<used?>,<Location>,<Line  >,LineSymbology,LayerName,Level,ColorValue,"
                  "Weight,LineTypeValue,ColorByLayerFlag,LineTypeByLayerFlag,StyleValue,StyleScale,ScaleFlag,"
                  "FillFlag",
                  " Header-Definition,<used?>,<Location>,<Text  >,TextSymbology,LayerName,Level,ColorValue,"
                  "Weight,Font,TextHeight,TextWidth,LineSpacing,StyleName,StyleNumber,ColorByLayerFlag,"
                  "Justification,Angle,HorizontalOffset,VerticalOffset,ViewIndependentFlag,"
                  "AbsoluteRelativeFlag,OffsetAfter,LineLength,PaperUnits,Slant,CharSpacing,"
                  "MultiLineJustification",
                  " Header-Definition,<used?>,<Location>,<Block >,BlockSymbology,LayerName,Level,Name,"
                  "AbsoluteRelativeFlag,Angle,XScale,YScale,ZScale",
                  " Header-Definition,<used?>,<Location>,<Symbol>,SymbolSymbology,layer,level,color,weight,"
                  "font,text height,text width,line type,color by,level flag,absolute/relative flag,angle,"
                  "character,symbol,type,justification,paper units,slant,offset after flag",
                  " Header-Definition,<Feature Style>, 000SymbologyName, 001Description,002DisplayAsLine,"
                  "003DisplayAsPoint,004Annotate, 005DisplayAsLineInProfile, 007AnnotateInProfile, "
                  "008DisplayAsPointInXs, 009AnnotateInXs, 010PlanarizeFlag, 011PlanarElevation, "
                  "012AttachTag, 013PayItem,014DisplayAsCrossingPointInProfile, "
                  "015DisplayAsProjectedPointInProfile",
                  " Header-Definition,<Feature Style>, Symbol Name, Descript.,Plan Line,Plan Point,"
                  "Plan Annot., Prof. Line, Prof. Annot., XS Point, XS Annot., Planarize, Planar Elev., "
                  "AttachTag, PayItem, Prof cross Pt, Prof ProjectPt",
              }));
}

TEST(CsvExport, FeatureRowsStartFromDefaultsAndSkipValuesSixAndSixteen) {
    EXPECT_EQ(Body({"[ Feature Style - A ]", "000SymbologyName=A", "001Description=x=y", "", "002DisplayAsLine=1",
                    "006X=9", "016Y=9", "013PayItem=609-01", "013PayItem=700", "noNumber=5", "017Z=3",
                    "[ Feature Style - B ]", "004Annotate=1", "011PlanarElevation=2.5"}),
              (Lines{"[ Feature Style - A ],<Feature>,A,x=y,1,0,0,0,0,0,0,0,0.00,0,700,0,0",
                     "[ Feature Style - B ],<Feature>,,,0,0,1,0,0,0,0,0,2.5,0,,0,0"}));
}

TEST(CsvExport, SymbologyBlockGivesTwelveRowsFilledOrPlaceholder) {
    const std::string h = "[ Named Symbology - Curb ]";
    const Lines rows = Body({h, "003PlanLineSymbology=CURB,5,1", "002DefaultPointSymbology=P,1",
                             "002DefaultPointSymbology=P,2", "007ProfileLineSymbology=TextSymbology=T",
                             "010Note", " 04PlanTextSymbology=skipped", "012Extra=1", "-01Neg=1"});
    EXPECT_EQ(rows, (Lines{
                        h + ",,<Default>,<Line  >,000DefaultLineSymbology=,",
                        h + ",,<Default>,<Text  >,001DefaultTextSymbology=,",
                        h + ",x,<Default>,<Point >,002DefaultPointSymbology=,P,2",
                        h + ",x,<Plan   >,<Line  >,003PlanLineSymbology=,CURB,5,1",
                        h + ",,<Plan   >,<Text  >,004PlanTextSymbology=,",
                        h + ",,<Plan   >,<Point>,005PlanPointSymbology=,",
                        h + ",,<Profile>,<Line  >,006ProfileLineSymbology=,",
                        h + ",x,<Profile>,<Text  >,007ProfileLineSymbology=,TextSymbology=T",
                        h + ",,<Profile>,<Point>,008ProfilePointSymbology=,",
                        h + ",,<Xsec   >,<Line  >,009Cross SectionLineSymbology=,",
                        h + ",x,<Xsec   >,,010Note",
                        h + ",,<Xsec   >,<Point>,011Cross SectionPointSymbology=,",
                    }));
    // Other non-empty lines alone still give the placeholders; a bodiless
    // block none, and the last block of the slots is written like the rest.
    EXPECT_EQ(Body({h, "", "[ Named Symbology - B ]", "note", ""}).size(), 12u);
}

TEST(CsvExport, PreferenceRowsUseTabsWysiwygRowsCommasFiltersNothing) {
    EXPECT_EQ(Body({"[ Preferences - General ]", "A=1", "", "B=2", "[ Feature Filter - F ]", "c=1",
                    "[ WYSIWYG - Plot Scale ]", "A=1", "B=2", "[ Main Window Position ]", "Left=1"}),
              (Lines{"[ Preferences - General ]\t<Preference>\t<General>\tA=1\tB=2",
                     "[ WYSIWYG - Plot Scale ],<Wysiwyg>,<Plot Scale>,A=1,B=2",
                     "[ Main Window Position ]\t<Preference>\t<[ Main Window Position ]>\tLeft=1"}));
}

TEST(TsvExport, BlocksSideBySideEachSettingInTheRowOfItsNumber) {
    const TsvExport t = TsvExportLines({"before=1", "[ P1 ]", "000A=1", "", "002C=3", "002C=4", "x=9", "500Z=1",
                                        "[ Feature Style - F ]", "001F=1", "[ WYSIWYG - W ]", "000W=1", "[ P2 ]",
                                        "001B=2"});
    EXPECT_EQ(t.lines, (Lines{"[ P1 ]\t[ Feature Style - F ]\t[ WYSIWYG - W ]\t[ P2 ]", "000A=1\t\t\t",
                              "\t\t\t001B=2", "002C=4\t\t\t", ""}));
    EXPECT_EQ(t.messages, (Lines{"# of Preferences: 4\nMax # of Preflines: 4", "ary2DPref() = (4,4)"}));
}

TEST(TsvExport, FixedHeadersWarnEachTimeAndStillGetAColumn) {
    const TsvExport t = TsvExportLines({"[ Recent Files List ]", "000F=a", "[ Main Window Position ]",
                                        "[ Recent Files List ]", "[ recent files list ]",
                                        "[ Dialog Boxes - Position Information ]",
                                        "[ ToolBar - Control Information ]"});
    const auto warn = [](const std::string& h) { return "Please delete the block titled " + h + " from the input file and Retry"; };
    EXPECT_EQ(t.messages, (Lines{warn("[ Recent Files List ]"), warn("[ Main Window Position ]"),
                                 warn("[ Recent Files List ]"), warn("[ Dialog Boxes - Position Information ]"),
                                 warn("[ ToolBar - Control Information ]"),
                                 "# of Preferences: 6\nMax # of Preflines: 2", "ary2DPref() = (6,2)"}));
    EXPECT_EQ(t.lines[1], "000F=a\t\t\t\t\t");
}

}  // namespace
}  // namespace quillset::exports
