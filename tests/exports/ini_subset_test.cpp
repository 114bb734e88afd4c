#include "exports/ini_subset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "exports/scratch_dir.h"
#include "selection/keywords.h"
#include "support/text_lines.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;

std::string Crlf(const Lines& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// A processed source file with `keywords` selected and the header list built.
class IniSubset : public testing::HandOffTest {
protected:
    IniSubset() { std::ofstream(context.sourcePath) << "[ Feature Style - Curb ]\r\n"; }
    void Process(const Lines& lines, const Lines& keywords) {
        model::LoadLines(s.source, quillset::testing::TextOf(lines));
        model::BuildWorkingLines(s.source, context.categories);
        s.keywords.available = model::FillAvailableKeywords(s.source);
        keywords_ = keywords;  // kept here: the selection holds views
        s.keywords.selected.assign(keywords_.begin(), keywords_.end());
        selection::RefreshMatchingHeaders(s, host, context);
    }
    std::string Exported() {
        EXPECT_TRUE(ExportIniSubset(s, host, settings, context.sourcePath));
        return testing::FileBytes("quillset.tmp");
    }

    selection::RefreshContext context{"source.ini", {}};
    Lines keywords_;
};

TEST_F(IniSubset, ListedBlocksExportWholeOnceEachInDisplayOrderAndAccumulate) {
    Process({"[ Feature Style - Curb ]", "a=1", "", "", "b=2", "[ Named Symbology - Curb ]", "c=3",
             "[ Feature Style - Fence ]", "d=4", "[ Feature Style - Curb ]", "e=5"},
            {"Curb", "Fence"});
    s.headerList.rows.push_back({"[ Feature Style - Gone ]", "0009", 0});  // not in the file
    s.outputKind = 2;
    // Each "Curb" feature style row yields its own block, listed or sorted.
    const std::string listed = Crlf({"[ Feature Style - Curb ]", "a=1", "", "b=2", "[ Feature Style - Fence ]",
                                     "d=4", "[ Feature Style - Curb ]", "e=5", "",
                                     "[ Named Symbology - Curb ]", "c=3", ""});
    EXPECT_EQ(Exported(), listed);
    EXPECT_EQ(s.outputKind, 0);
    selection::SortHeaderList(s, 1);  // Order column, descending
    const Lines byOrder = {"[ Named Symbology - Curb ]", "c=3", "", "[ Feature Style - Curb ]", "e=5", "",
                           "[ Feature Style - Fence ]", "d=4", "[ Feature Style - Curb ]", "a=1", "", "b=2", ""};
    EXPECT_EQ(Exported(), listed + Crlf(byOrder));
    EXPECT_EQ(quillset::testing::Strings(s.selectedHeaders), (Lines{"", byOrder[0], byOrder[3], byOrder[6], byOrder[8]}));
    EXPECT_EQ(host.shownFiles.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(IniSubset, LinesBeforeTheFirstHeaderJoinNoBlock) {
    // They stand right behind the filter lines in the working lines; the
    // filter block ends with the empty entry that closes its category.
    Process({"; office standard", "Version=7", "", "[ Feature Filter - Drainage ]", "c=1",
             "[ Dialog Boxes - Position ]", "x=1"},
            {"Drainage", "Position"});
    EXPECT_EQ(Exported(), Crlf({"[ Feature Filter - Drainage ]", "c=1", "", "[ Dialog Boxes - Position ]",
                                "x=1", ""}));
}

TEST_F(IniSubset, EmptySelectionSaysSoButHandsOffWhileAMissingSourceStopsEverything) {
    Process({"[ Feature Style - Fence ]", "d=4"}, {"Fence"});
    s.keywords.selected.clear();
    s.output.Append("earlier");
    EXPECT_EQ(Exported(), "earlier\r\n\r\n");
    EXPECT_EQ(host.messages, Lines{std::string(selection::kEmptySelectionMessage)});

    s.keywords.selected = {"Fence"};
    std::filesystem::remove(context.sourcePath);
    EXPECT_FALSE(ExportIniSubset(s, host, settings, context.sourcePath));
    EXPECT_EQ(host.messages.back(), selection::kInvalidSourceMessage);
    EXPECT_EQ(s.output.Count(), 1);  // nothing collected
    EXPECT_EQ(host.shownFiles.size(), 1u);
}

}  // namespace
}  // namespace quillset::exports
