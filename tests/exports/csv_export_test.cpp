#include "exports/csv_export.h"

#include <gtest/gtest.h>


namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;

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

}  // namespace
}  // namespace quillset::exports
