#include "resize/text_resizer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "exports/scratch_dir.h"
#include "model/source_model.h"
#include "selection/keywords.h"

namespace quillset::resize {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using Lines = std::vector<std::string>;

// Distinct values, so a field written into its neighbour's place shows.
ResizeValues Only(bool h, bool w, bool s) { return {h, 1.25f, w, 0.8f, s, 3.0f}; }

TEST(ResizeTextLine, RewritesOnlySwitchedFieldsBetweenFifthAndEighthDelimiter) {
    const ResizeValues all = Only(true, true, true);
    struct Case {
        const char* line;
        ResizeValues values;
        bool pipe;
        const char* expected;
    } cases[] = {
        {"001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,Std,0", {}, false,
         "001DefaultTextSymbology=L,1,0,0,3,1,0.8,1,Std,0"},
        {"T=L,1,0,0,3,2.0,2.0,1.5,Std,0", all, false, "T=L,1,0,0,3,1.25,0.8,3,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", Only(false, true, false), false, "T=L,1,0,0,3,2.00,0.8,1.50,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", Only(true, false, false), false, "T=L,1,0,0,3,1.25,2.00,1.50,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", Only(false, false, true), false, "T=L,1,0,0,3,2.00,2.00,3,Std,0"},
        {"T=L,1,0,0,3,2.00,2.00,1.50,Std,0", Only(false, false, false), false, "T=L,1,0,0,3,2.00,2.00,1.50,Std,0"},
        {"T=L,1,0,0,3,2,2,1,", all, false, "T=L,1,0,0,3,1.25,0.8,3,"},  // exactly eight
        {"T=,,,,,,,,", all, false, "T=,,,,,1.25,0.8,3,"},
        {"T=L,1,0,0,3", all, false, "T=L,1,0,0,3"},
        {"T=L,1,0,0,3,2", all, false, "T=L,1,0,0,3,2"},
        {"T=L,1,0,0,3,2,2", all, false, "T=L,1,0,0,3,2,2"},
        {"T=L,1,0,0,3,2,2,1", all, false, "T=L,1,0,0,3,2,2,1"},
        {"004PlanTextSymbology=L|1|0|0|3|2|2|1|S", all, true, "004PlanTextSymbology=L|1|0|0|3|1.25|0.8|3|S"},
        {"004PlanTextSymbology=L|1|0|0|3|2|2|1|S", all, false, "004PlanTextSymbology=L|1|0|0|3|2|2|1|S"},
        {"T=a|b,1,0,0,3,2,2,1,S|x", all, true, "T=a|b,1,0,0,3,1.25,0.8,3,S|x"},  // a comma wins
        {"T=L|1|0|0|3|2|2|1|S,", all, true, "T=L|1|0|0|3|2|2|1|S,"},
        {"", all, true, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResizeTextLine(c.line, c.values, c.pipe), c.expected) << c.line;
}

TEST(ResizeValue, ReadsPointOrLocaleSeparatorAndWritesShortestPointForm) {
    struct Case {
        const char* text;
        const char* decimalPoint;
        const char* written;  // nullptr: no number
    } cases[] = {
        {"1.0", ".", "1"},          {"0.8", ".", "0.8"},        {"2.50", ".", "2.5"},
        {" 1.5 ", ".", "1.5"},      {"+2", ".", "2"},           {"1234567.8", ".", "1234568"},
        {"0.123456789", ".", "0.1234568"}, {"1e3", ".", "1000"},
        {"0,8", ",", "0.8"},        {"0.8", ",", "0.8"},        {"2,50", ",", "2.5"},
        {"", ".", nullptr},         {"abc", ".", nullptr},      {"0,8", ".", nullptr},
        {"1.2.3", ".", nullptr},    {"1,000.5", ",", nullptr},  {"2 cm", ".", nullptr},
        {"inf", ".", nullptr},      {"nan", ".", nullptr},      {"1e40", ".", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<float> value = ReadValue(c.text, c.decimalPoint);
        ASSERT_EQ(value.has_value(), c.written != nullptr) << c.text;
        if (value) {
            EXPECT_EQ(ValueText(*value), c.written) << c.text;
        }
    }
}

// A processed source with the resize settings of the tab; the source file
// exists in the scratch folder, where the results file lands too.
class ResizeTextTest : public exports::testing::HandOffTest {
protected:
    ResizeTextTest() { std::ofstream("source.ini") << "[ Feature Style - Road ]\r\n"; }
    void Load(const Lines& lines, const Lines& selected) {
        model::LoadLines(s.source, lines);
        model::BuildWorkingLines(s.source, {});
        s.keywords.selected = selected;
    }
    Lines Output() const {
        const auto& slots = s.output.Slots();
        return Lines(slots.begin(), slots.begin() + s.output.Count());
    }

    ResizeSettings settings_;
};

// Feature, Symbol, Filter, then Preference lines, the one line before the
// first header leading the preferences.
const Lines kSource = {
    "; 001TextSymbology=a,b,c,d,e,2,2,1,S",
    "[ Feature Style - Road ]",
    "001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,Std,0",
    "[ Named Symbology - RoadEdge ]",
    "004PlanTextSymbology=L,1,0,0,3,2,2,1,S",
    "000PlanLineSymbology=L,1,0,0,3,2,2,1,S",
    "005PlanTextsymbology=L,1,0,0,3,2,2,1,S",
    "",
    "[ Named Symbology - Curb ]",
    "001DefaultTextSymbology=L,1,0,0,3,2,2,1,S",
    "[ Feature Filter - Road ]",
    "002TextSymbology=F,1,0,0,3,2,2,1,S",
    "[ Preferences - road ]",
    "003TextSymbology=P,1,0,0,3,2,2,1,S",
};

TEST_F(ResizeTextTest, ResizesTextSymbologyOfBlocksWhoseHeaderContainsAKeyword) {
    Load(kSource, {"Road"});
    settings_.height.on = false;
    settings_.spacing.text = "3";
    s.output.Append("earlier");
    ASSERT_EQ(ResizeText(s, host, settings_, false), ResizeStatus::Done);
    EXPECT_THAT(Output(), ElementsAre(
        "earlier",
        "[ Feature Style - Road ]", "001DefaultTextSymbology=L,1,0,0,3,2.0,0.8,3,Std,0", "",
        "[ Named Symbology - RoadEdge ]", "004PlanTextSymbology=L,1,0,0,3,2,0.8,3,S",
        "000PlanLineSymbology=L,1,0,0,3,2,2,1,S", "005PlanTextsymbology=L,1,0,0,3,2,2,1,S", "",
        "[ Named Symbology - Curb ]", "001DefaultTextSymbology=L,1,0,0,3,2,2,1,S", "",
        "[ Feature Filter - Road ]", "002TextSymbology=F,1,0,0,3,2,0.8,3,S", "",
        // The filter block ends with its category: the line before the first
        // header is no part of it.
        "; 001TextSymbology=a,b,c,d,e,2,2,1,S",
        "[ Preferences - road ]", "003TextSymbology=P,1,0,0,3,2,2,1,S", "", ""));
    EXPECT_THAT(host.messages, IsEmpty());

    std::vector<std::string> preview{"stale"};
    s.keywords.selected = {"Curb", "Edge"};
    ASSERT_EQ(ResizeText(s, host, settings_, true, &preview), ResizeStatus::Done);
    EXPECT_THAT(preview, ElementsAre("  ", "[ Named Symbology - RoadEdge ]",
                                     "004PlanTextSymbology=L,1,0,0,3,2,2,1,S", "  ",
                                     "[ Named Symbology - Curb ]",
                                     "001DefaultTextSymbology=L,1,0,0,3,2,2,1,S"));
    EXPECT_EQ(Output().size(), 20u);  // previews append nothing
    Load({"[ Preferences - A ]", "x=1"}, {"Preferences"});  // a block without text symbology
    ResizeText(s, host, settings_, true, &preview);
    EXPECT_THAT(preview, ElementsAre("  ", "[ Preferences - A ]"));
}

TEST_F(ResizeTextTest, EmptySelectionAndNonNumbersStopWithAMessageAndAppendNothing) {
    Load(kSource, {});
    std::vector<std::string> preview{"stale"};
    EXPECT_EQ(ResizeText(s, host, settings_, true, &preview), ResizeStatus::NoKeyword);
    EXPECT_THAT(preview, IsEmpty());

    // Read only when a text symbology line of a matching block is met, and
    // then all three, whatever the check boxes say.
    settings_.spacing = {false, "1,5"};
    s.keywords.selected = {"Curb Ramp"};
    EXPECT_EQ(ResizeText(s, host, settings_, false), ResizeStatus::Done);
    const std::size_t before = Output().size();
    s.keywords.selected = {"Road"};
    EXPECT_EQ(ResizeText(s, host, settings_, false), ResizeStatus::NotANumber);
    settings_.spacing.text = "1";
    settings_.height.text = "big";
    EXPECT_EQ(ResizeText(s, host, settings_, false), ResizeStatus::NotANumber);
    EXPECT_EQ(Output().size(), before);
    EXPECT_THAT(host.messages,
                ElementsAre(std::string(selection::kEmptySelectionMessage),
                            "\"1,5\" in the Line Spacing box is not a number. Nothing was resized.",
                            "\"big\" in the Text Height box is not a number. Nothing was resized."));
}

TEST_F(ResizeTextTest, CommandsCheckTheSourceAndHandOffAsIniText) {
    Load(kSource, {"Road"});
    s.outputKind = 2;
    EXPECT_FALSE(PreviewResize(s, host, "gone.ini", settings_));
    EXPECT_FALSE(ResizeTextCommand(s, host, this->settings, "gone.ini", settings_));
    EXPECT_EQ(s.output.Count(), 0);
    EXPECT_EQ(PreviewResize(s, host, "source.ini", settings_)->size(), 9u);

    settings_.width.text = "x";  // ends the command before the hand-off
    EXPECT_TRUE(ResizeTextCommand(s, host, this->settings, "source.ini", settings_));
    EXPECT_THAT(host.shownFiles, IsEmpty());
    s.keywords.selected.clear();  // the hand-off still runs
    EXPECT_TRUE(ResizeTextCommand(s, host, this->settings, "source.ini", settings_));
    settings_.width.text = "0.8";
    s.keywords.selected = {"Road"};
    EXPECT_TRUE(ResizeTextCommand(s, host, this->settings, "source.ini", settings_));
    EXPECT_EQ(s.outputKind, 0);
    ASSERT_THAT(host.shownFiles, ElementsAre("quillset.tmp", "quillset.tmp"));
    const std::string text = exports::testing::FileBytes("quillset.tmp");
    EXPECT_THAT(text, StartsWith("[ Feature Style - Road ]\r\n"
                                 "001DefaultTextSymbology=L,1,0,0,3,1,0.8,1,Std,0\r\n\r\n[ Named"));
    EXPECT_THAT(host.messages, ElementsAre(std::string(selection::kInvalidSourceMessage),
                                           std::string(selection::kInvalidSourceMessage),
                                           "\"x\" in the Text Width box is not a number. Nothing was resized.",
                                           std::string(selection::kEmptySelectionMessage)));
}

}  // namespace
}  // namespace quillset::resize
