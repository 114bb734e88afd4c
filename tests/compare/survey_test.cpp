#include <gtest/gtest.h>

#include "compare/survey.h"
#include "compare/survey_report.h"
#include "model/source_model.h"
#include "selection/keywords.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"
#include "support/text_lines.h"

namespace quillset::compare {
namespace {

// Every block is a Preference block, so the working lines keep file order.
const std::vector<std::string> kStandard = {"; standard", "[ P - A ]", "a=1", "b=2", "[ P - B ]", "x=1",
                                            "[ P - Dup ]", "d=1", "[ P - Dup ]", "d=2", "[ P - Long ] tail",
                                            "t=1", "[ P - Unselected ]", "u=1"};

std::string Statuses(const Survey& survey) {
    std::string out;
    for (const SurveyRow& row : survey.rows) {
        out += row.header + " @" + std::to_string(row.standardLine);
        for (const auto& cell : row.cells) {
            out += " | ";
            if (!cell) continue;
            out += std::string(StatusText(cell->status));
            if (cell->more) out += " +" + std::to_string(cell->more);
        }
        out += "\n";
    }
    return out;
}

TEST(SurveyTest, GathersEachVariantsComparisonIntoOneMatrix) {
    model::SourceModel standard;
    model::LoadLines(standard, quillset::testing::TextOf(kStandard));
    model::BuildWorkingLines(standard, {});
    selection::Selection chosen;
    chosen.keywords.selected = {"A", "B", "Dup", "Long"};
    quillset::testing::FakeHost host;
    const model::Lines selected = selection::SelectedHeadersOf(chosen, standard, host, standard.workingLines);

    quillset::testing::ScratchDir dir;
    const std::vector<std::string> variants = {
        // Moved, one setting changed, one with a blank before its key, a
        // repeated block present once, a header inside a longer one of the
        // standard.
        dir.Write("moved.ini", "[ P - B ]\r\n x=1\r\n[ P - A ]\r\na=1\r\nb=3\r\n[ P - Dup ]\r\nd=1\r\n"
                               "[ P - Long ]\r\nt=1\r\n"),
        // A block missing, one extra, settings in another order, a repeated
        // block more often than in the standard.
        dir.Write("extra.ini", "[ P - A ]\r\nb=2\r\na=1\r\n[ P - Dup ]\r\nd=1\r\n[ P - Dup ]\r\nd=2\r\n"
                               "[ P - Dup ]\r\nd=2\r\n[ P - New ]\r\nn=1\r\n[ P - Long ] tail\r\nt=1\r\n"),
        dir.Path() + "/unreadable.ini",
        "standard.ini"};
    const Survey survey = RunSurvey(standard, selected, "standard.ini", variants, host);

    EXPECT_EQ(Statuses(survey),
              "[ P - A ] @2 | Both: Different | Both: Different |  | \n"
              "[ P - B ] @5 | Both: Different | Control ini Only |  | \n"
              "[ P - Dup ] @7 | Both: Identical | Both: Different +1 |  | \n"
              "[ P - Dup ] @9 |  | Both: Identical |  | \n"
              "[ P - Long ] tail @11 | Both: Identical | Both: Identical |  | \n"
              "[ P - New ] @0 |  | TEST .ini Only |  | \n");
    // By key: the changed setting, the blanks, the order of the settings.
    using Kind = KeyDifference::Kind;
    EXPECT_EQ(survey.rows[0].cells[0]->differences, (std::vector<KeyDifference>{{Kind::Changed, "b", "2", "3"}}));
    EXPECT_EQ(survey.rows[1].cells[0]->differences, (std::vector<KeyDifference>{{Kind::Blanks, "x", "x=1", " x=1"}}));
    EXPECT_EQ(survey.rows[0].cells[1]->differences, (std::vector<KeyDifference>{{Kind::Order, "", "", ""}}));
    EXPECT_EQ(survey.rows[0].cells[1]->testLine, 1u);
    EXPECT_EQ(survey.rows[5].cells[1]->testLine, 10u);
    EXPECT_FALSE(survey.rows[5].inStandard);

    // A repeated block that the variant has fewer times gets no row in the
    // comparison, so no cell. The counts are the single comparison's; the two
    // files that were not
    // compared are named and have no cells.
    EXPECT_EQ(survey.variants[0].counts, (CompareCounts{0, 0, 2, 2}));
    EXPECT_EQ(survey.variants[1].counts, (CompareCounts{1, 1, 3, 2}));
    EXPECT_TRUE(survey.variants[0].surveyed && survey.variants[1].surveyed);
    EXPECT_FALSE(survey.variants[2].surveyed || survey.variants[3].surveyed);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_NE(host.messages[0].find("unreadable.ini"), std::string::npos);
    EXPECT_EQ(host.messages[1], std::string(kSameFiles) + " (standard.ini)");

    // The report stands alone: no resource from elsewhere, file content escaped.
    const std::string html = SurveyHtml(survey, {"standard.ini", "preference", "keywords A, B, Dup, Long"});
    for (const char* outside : {"http:", "https:", "src=", "<link", "@import"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    EXPECT_NE(html.find("<td class=\"block\">[ P - New ]</td>"), std::string::npos);
    EXPECT_NE(html.find("<mark>3</mark>"), std::string::npos);
    EXPECT_NE(html.find("another order"), std::string::npos);
}

TEST(SurveyTest, NamesAreUtf8InTheReport) {
    EXPECT_EQ(NameToUtf8("caf\xC3\xA9.ini"), "caf\xC3\xA9.ini");  // UTF-8 already
    EXPECT_EQ(NameToUtf8("caf\xE9.ini"), "caf\xC3\xA9.ini");      // single-byte
    EXPECT_EQ(Latin1ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
}

}  // namespace
}  // namespace quillset::compare
