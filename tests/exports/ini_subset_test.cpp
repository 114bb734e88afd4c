#include "exports/ini_subset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "exports/output_lines.h"
#include "exports/scratch_dir.h"
#include "selection/keywords.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using testing::FileBytes;

const Lines kSource = {"[ Feature Style - Curb ]", "a=1", "", "", "b=2",
                       "[ Named Symbology - Curb ]", "c=3",
                       "[ Feature Style - Fence ]", "d=4",
                       "[ Feature Style - Curb ]", "e=5"};

std::string Crlf(const Lines& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// A processed source file with `keywords` selected and the header list built.
class IniSubset : public ::testing::Test {
protected:
    IniSubset() {
        context.sourcePath = dir.Of("source.ini");
        std::ofstream(context.sourcePath) << "[ Feature Style - Curb ]\r\n";
        settings.Save(kTempSection, kTempKey, dir.Of("r.tmp"));
    }
    void Process(const Lines& lines, const Lines& keywords) {
        model::LoadLines(s.source, lines);
        model::BuildWorkingLines(s.source, context.categories);
        s.keywords.available = model::FillAvailableKeywords(s.source);
        s.keywords.selected = keywords;
        selection::RefreshMatchingHeaders(s, host, context);
    }
    std::string Exported() {
        EXPECT_TRUE(ExportIniSubset(s, host, settings, context.sourcePath));
        return FileBytes(dir.Of("r.tmp"));
    }

    testing::ScratchDir dir;
    selection::RefreshContext context;
    Session s;
    quillset::testing::FakeHost host;
    quillset::testing::FakeSettings settings;
};

const std::string kFeatures = Crlf({"[ Feature Style - Curb ]", "a=1", "", "b=2",
                                    "[ Feature Style - Fence ]", "d=4",
                                    "[ Feature Style - Curb ]", "e=5", ""});
const std::string kSymbol = Crlf({"[ Named Symbology - Curb ]", "c=3", ""});

TEST_F(IniSubset, ExportsWholeBlocksOnceEachAndAccumulates) {
    Process(kSource, {"Curb", "Fence"});
    s.outputKind = 2;
    EXPECT_EQ(Exported(), kFeatures + kSymbol);
    EXPECT_EQ(s.outputKind, 0);
    EXPECT_EQ(Exported(), kFeatures + kSymbol + kFeatures + kSymbol);
    EXPECT_EQ(host.shownFiles.size(), 2u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(IniSubset, FollowsTheHeaderListSortAndSkipsUnknownRows) {
    Process(kSource, {"Curb", "Fence"});
    s.headerList.rows.push_back({"[ Feature Style - Gone ]", "0009", 0});
    selection::SortHeaderList(s, 0);  // header column, descending
    EXPECT_EQ(Exported(), Crlf({"[ Named Symbology - Curb ]", "c=3", "", "[ Feature Style - Fence ]",
                                "d=4", "[ Feature Style - Curb ]", "a=1", "", "b=2",
                                "[ Feature Style - Curb ]", "e=5", ""}));
    EXPECT_EQ(s.selectedHeaders, (Lines{"", "[ Named Symbology - Curb ]",
                                        "[ Feature Style - Fence ]", "[ Feature Style - Curb ]",
                                        "[ Feature Style - Curb ]"}));
}

TEST_F(IniSubset, DuplicateHeadersKeepTheirOwnBlocksUnderAnOrderSort) {
    Process(kSource, {"Curb"});
    selection::SortHeaderList(s, 1);  // Order column, descending
    // The second "Curb" feature style is listed before the first, and each
    // row yields its own block rather than the first one twice.
    EXPECT_EQ(Exported(), Crlf({"[ Named Symbology - Curb ]", "c=3", "", "[ Feature Style - Curb ]",
                                "e=5", "", "[ Feature Style - Curb ]", "a=1", "", "b=2", ""}));
}

TEST_F(IniSubset, LinesBeforeTheFirstHeaderJoinNoBlock) {
    // They are kept at the front of the preference lines, right behind the
    // filter lines in the working lines; the filter block ends with the empty
    // entry that closes its category.
    const Lines source = {"; office standard", "Version=7", "",
                          "[ Feature Filter - Drainage ]", "c=1",
                          "[ Dialog Boxes - Position ]", "x=1"};
    Process(source, {"Drainage", "Position"});
    EXPECT_EQ(Exported(), Crlf({"[ Feature Filter - Drainage ]", "c=1", "", "[ Dialog Boxes - Position ]",
                                "x=1", ""}));

    context.categories.preferences = false;
    s.output.Clear();
    Process(source, {"Drainage"});
    EXPECT_EQ(Exported(), Crlf({"[ Feature Filter - Drainage ]", "c=1", ""}));
}

TEST_F(IniSubset, EmptySelectionSaysSoButStillHandsOff) {
    Process(kSource, {"Fence"});
    s.output.Append("earlier");
    s.keywords.selected.clear();
    EXPECT_EQ(Exported(), "earlier\r\n\r\n");
    EXPECT_EQ(host.messages, Lines{std::string(selection::kEmptySelectionMessage)});
}

TEST_F(IniSubset, MissingSourceCollectsAndShowsNothing) {
    Process(kSource, {"Fence"});
    std::filesystem::remove(context.sourcePath);
    EXPECT_FALSE(ExportIniSubset(s, host, settings, context.sourcePath));
    EXPECT_EQ(host.messages, Lines{std::string(selection::kInvalidSourceMessage)});
    EXPECT_EQ(s.output.Count(), 0);
    EXPECT_TRUE(host.shownFiles.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.Of("r.tmp")));
}

}  // namespace
}  // namespace quillset::exports
