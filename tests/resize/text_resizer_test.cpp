#include "resize/text_resizer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/resize_commands.h"
#include "exports/scratch_dir.h"
#include "model/source_model.h"
#include "selection/keywords.h"
#include "support/text_lines.h"

namespace quillset::resize {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(ResizeText, LinesKeepAllButTheSwitchedFieldsAndValuesAreWrittenWithAPoint) {
    // Distinct values, so a field written into its neighbour's place shows.
    const ResizeValues all{true, 1.25f, true, 0.8f, true, 3.0f}, width{false, 1.25f, true, 0.8f, false, 3.0f};
    const std::tuple<const char*, ResizeValues, bool, const char*> lines[] = {
        {"T=L,1,0,0,3,2.0,2.0,1.5,Std,0", all, false, "T=L,1,0,0,3,1.25,0.8,3,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", width, false, "T=L,1,0,0,3,2.00,0.8,1.50,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", {true, 1.25f, false, 0.8f, true, 3.0f}, false, "T=L,1,0,0,3,1.25,2.00,3,Std,0"},
        {"T=L,1,0,0,3,2,2,1,", all, false, "T=L,1,0,0,3,1.25,0.8,3,"},  // exactly eight
        {"T=L,1,0,0,3", all, false, "T=L,1,0,0,3"},  {"T=L,1,0,0,3,2", all, false, "T=L,1,0,0,3,2"},
        {"T=L,1,0,0,3,2,2", all, false, "T=L,1,0,0,3,2,2"},  {"T=L,1,0,0,3,2,2,1", all, false, "T=L,1,0,0,3,2,2,1"},
        {"T=L|1|0|0|3|2|2|1|S", all, true, "T=L|1|0|0|3|1.25|0.8|3|S"},
        {"T=L|1|0|0|3|2|2|1|S", all, false, "T=L|1|0|0|3|2|2|1|S"},
        {"T=a|b,1,0,0,3,2,2,1,S|x", all, true, "T=a|b,1,0,0,3,1.25,0.8,3,S|x"},  // a comma wins
        {"", all, true, ""},
    };
    for (const auto& [line, values, pipe, expected] : lines)
        EXPECT_EQ(ResizeTextLine(line, values, pipe), expected) << line;

    const std::tuple<const char*, const char*, const char*> texts[] = {  // written nullptr: no number
        {"1.0", ".", "1"},   {"0.8", ".", "0.8"},   {"2.50", ".", "2.5"},  {" 1.5 ", ".", "1.5"},
        {"+2", ".", "2"},    {"1234567.8", ".", "1234568"},  {"0.123456789", ".", "0.1234568"},
        {"1e3", ".", "1000"}, {"0,8", ",", "0.8"},  {"0.8", ",", "0.8"},   {"", ".", nullptr},
        {"abc", ".", nullptr}, {"0,8", ".", nullptr}, {"1.2.3", ".", nullptr}, {"1,000.5", ",", nullptr},
        {"2 cm", ".", nullptr}, {"inf", ".", nullptr}, {"nan", ".", nullptr}, {"1e40", ".", nullptr},
    };
    for (const auto& [text, decimalPoint, written] : texts) {
        const std::optional<float> value = ReadValue(text, decimalPoint);
        EXPECT_EQ(value ? ValueText(*value) : "none", written ? written : "none") << text;
    }
}

// A processed source; the source file and the results file lie in the
// scratch folder.
class ResizeTextTest : public exports::testing::HandOffTest {
protected:
    ResizeTextTest() {
        std::ofstream("source.ini") << "[ Feature Style - Road ]\r\n";
        // Feature, Symbol, Filter, then Preference lines, led by the line before the first header.
        model::LoadLines(s.source, quillset::testing::TextOf({"; 001TextSymbology=a,b,c,d,e,2,2,1,S", "[ Feature Style - Road ]",
                                    "001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,Std,0",
                                    "[ Named Symbology - RoadEdge ]", "004PlanTextSymbology=L,1,0,0,3,2,2,1,S",
                                    "000PlanLineSymbology=L,1,0,0,3,2,2,1,S", "005PlanTextsymbology=L,1,0,0,3,2,2,1,S",
                                    "", "[ Named Symbology - Curb ]", "001DefaultLineSymbology=L,1,0,0,3,2,2,1,S",
                                    "[ Feature Filter - Road ]", "002TextSymbology=F,1,0,0,3,2,2,1,S",
                                    "[ Preferences - road ]", "003TextSymbology=P,1,0,0,3,2,2,1,S"}));
        model::BuildWorkingLines(s.source, {});
        s.selection.keywords.selected = {"Road"};
    }
    std::vector<std::string> Output() const {
        return s.output.Lines();
    }

    ResizeSettings resize;
};

TEST_F(ResizeTextTest, ResizesTextSymbologyOfBlocksWhoseHeaderContainsAKeyword) {
    resize.height.on = false;
    resize.spacing.text = "3";
    s.output.Append("earlier");
    ASSERT_EQ(ResizeText(s.source, s.selection.keywords.selected, s.output, host, resize, false), ResizeStatus::Done);
    EXPECT_THAT(Output(), ElementsAre(
        "earlier", "[ Feature Style - Road ]", "001DefaultTextSymbology=L,1,0,0,3,2.0,0.8,3,Std,0", "",
        "[ Named Symbology - RoadEdge ]", "004PlanTextSymbology=L,1,0,0,3,2,0.8,3,S",
        "000PlanLineSymbology=L,1,0,0,3,2,2,1,S", "005PlanTextsymbology=L,1,0,0,3,2,2,1,S", "",
        "[ Named Symbology - Curb ]", "001DefaultLineSymbology=L,1,0,0,3,2,2,1,S", "",
        "[ Feature Filter - Road ]", "002TextSymbology=F,1,0,0,3,2,0.8,3,S", "",
        // The filter block ends with its category, before the line that led the file.
        "; 001TextSymbology=a,b,c,d,e,2,2,1,S", "[ Preferences - road ]", "003TextSymbology=P,1,0,0,3,2,2,1,S",
        "", ""));

    std::vector<std::string> preview{"stale"};
    s.selection.keywords.selected = {"Curb", "Edge"};
    ASSERT_EQ(ResizeText(s.source, s.selection.keywords.selected, s.output, host, resize, true, &preview), ResizeStatus::Done);
    EXPECT_THAT(preview, ElementsAre("  ", "[ Named Symbology - RoadEdge ]", "004PlanTextSymbology=L,1,0,0,3,2,2,1,S",
                                     "  ", "[ Named Symbology - Curb ]"));  // shown without any line
    EXPECT_EQ(Output().size(), 20u);  // previews append nothing
}

TEST_F(ResizeTextTest, CommandsCheckTheSourceStopOnNonNumbersAndHandOffAsIniText) {
    s.outputKind = 2;
    EXPECT_FALSE(app::PreviewResize(s, host, "gone.ini", resize));
    EXPECT_FALSE(app::ResizeTextCommand(s, host, settings, "gone.ini", resize));
    EXPECT_EQ(app::PreviewResize(s, host, "source.ini", resize)->size(), 9u);

    // Every box is read, whatever its check box says, but only once a text
    // symbology line of a matching block is met; the command then ends.
    resize.spacing = {false, "1,5"};
    s.selection.keywords.selected = {"Curb Ramp"};
    EXPECT_EQ(ResizeText(s.source, s.selection.keywords.selected, s.output, host, resize, false), ResizeStatus::Done);
    const std::size_t before = Output().size();
    s.selection.keywords.selected = {"Road"};
    EXPECT_TRUE(app::ResizeTextCommand(s, host, settings, "source.ini", resize));
    EXPECT_EQ(Output().size(), before);
    EXPECT_THAT(host.shownFiles, IsEmpty());

    s.selection.keywords.selected.clear();  // the hand-off still runs
    std::vector<std::string> preview{"stale"};
    EXPECT_EQ(ResizeText(s.source, s.selection.keywords.selected, s.output, host, resize, true, &preview), ResizeStatus::NoKeyword);
    EXPECT_THAT(preview, IsEmpty());
    EXPECT_TRUE(app::ResizeTextCommand(s, host, settings, "source.ini", resize));
    EXPECT_EQ(s.outputKind, 0);
    resize.spacing.text = "1";
    s.selection.keywords.selected = {"Road"};
    EXPECT_TRUE(app::ResizeTextCommand(s, host, settings, "source.ini", resize));
    ASSERT_THAT(host.shownFiles, ElementsAre("quillset.tmp", "quillset.tmp"));
    EXPECT_THAT(exports::testing::FileBytes("quillset.tmp"),
                HasSubstr("Road ]\r\n001DefaultTextSymbology=L,1,0,0,3,1,0.8,1.5,Std,0\r\n\r\n[ Named"));
    const std::string invalid(selection::kInvalidSourceMessage), none(selection::kEmptySelectionMessage);
    EXPECT_THAT(host.messages, ElementsAre(invalid, invalid, "\"1,5\" in the Line Spacing box is not a number. "
                                           "Nothing was resized.", none, none));
}

}  // namespace
}  // namespace quillset::resize
