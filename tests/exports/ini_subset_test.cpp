#include "exports/ini_subset.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "exports/output_lines.h"
#include "exports/scratch_dir.h"
#include "platform/text_file.h"
#include "selection/keywords.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using quillset::testing::FakeHost;
using quillset::testing::FakeSettings;
using testing::FileBytes;
using testing::ScratchDir;

const std::string kCurb = "[ Feature Style - Curb ]";
const std::string kFence = "[ Feature Style - Fence ]";
const std::string kCurbSymbol = "[ Named Symbology - Curb ]";

class CollectTest : public ::testing::Test {
protected:
    CollectTest() {
        session.source.workingLines = {kCurb,  "000A=1", "",          kFence, "000B=2", "", "",
                                       "001C=3", "",     kCurbSymbol, "000D=4", "",     ""};
        session.keywords.selected = {"Curb", "Fence"};
        session.output.Append("earlier");
    }
    void ListRows(const Lines& headers) {
        session.headerList.rows.clear();
        for (const auto& header : headers) {
            std::size_t occurrence = 0;
            for (const auto& row : session.headerList.rows) occurrence += row.header == header;
            const auto order = static_cast<std::int64_t>(session.headerList.rows.size() + 1);
            session.headerList.rows.push_back({header, selection::OrderKey(order), occurrence});
        }
    }
    void SortBy(int column, bool ascending) {
        session.headerList.sorted = true;
        session.headerList.sortColumn = column;
        session.headerList.ascending = ascending;
    }
    void Collect() { CollectListedBlocks(session, host, session.source.workingLines); }
    Lines Output() const { return CollapsedLines(session.output.Slots()); }

    Session session;
    FakeHost host;
};

TEST_F(CollectTest, AppendsWholeBlocksInDisplayOrderBehindEarlierOutput) {
    ListRows({kCurb, kFence, kCurbSymbol});
    Collect();
    EXPECT_EQ(session.selectedHeaders, (Lines{"", kCurb, kFence, kCurbSymbol}));
    // Body lines are stored as they stand; the blank run collapses when written.
    const Lines stored(session.output.Slots().begin() + 1, session.output.Slots().begin() + 9);
    EXPECT_EQ(stored, (Lines{kCurb, "000A=1", "", kFence, "000B=2", "", "", "001C=3"}));
    EXPECT_EQ(Output(), (Lines{"earlier", kCurb, "000A=1", "", kFence, "000B=2", "", "001C=3",
                               "", kCurbSymbol, "000D=4", ""}));

    SortBy(0, false);
    Collect();
    EXPECT_EQ(session.selectedHeaders, (Lines{"", kCurbSymbol, kFence, kCurb}));
    const Lines all = Output();
    const Lines second(all.begin() + 12, all.end());
    EXPECT_EQ(second, (Lines{kCurbSymbol, "000D=4", "", kFence, "000B=2", "", "001C=3", "", kCurb,
                             "000A=1", ""}));
}

TEST_F(CollectTest, DuplicatedHeaderExportsEachBlockOnceInOccurrenceOrder) {
    session.source.workingLines = {"[ P - X ]", "a=1", "[ P - Y ]", "b=1", "[ P - X ]", "a=2", ""};
    ListRows({"[ P - X ]", "[ P - Y ]", "[ P - X ]"});
    Collect();
    EXPECT_EQ(Output(), (Lines{"earlier", "[ P - X ]", "a=1", "[ P - Y ]", "b=1", "[ P - X ]",
                               "a=2", ""}));
    SortBy(1, false);  // Order descending: the second X block comes first
    session.output.Clear();
    Collect();
    EXPECT_EQ(Output(), (Lines{"[ P - X ]", "a=2", "", "[ P - Y ]", "b=1", "[ P - X ]", "a=1", ""}));
}

TEST_F(CollectTest, RowsWithoutABlockAreSkipped) {
    session.source.workingLines.push_back(" " + kCurb);  // not a header: "[" is not first
    ListRows({"[ Feature Style - Gone ]", kFence, "[ feature style - fence ]", kFence,
              " " + kCurb});
    Collect();
    EXPECT_EQ(session.selectedHeaders, (Lines{"", kFence}));
    EXPECT_EQ(Output(), (Lines{"earlier", kFence, "000B=2", "", "001C=3", ""}));
}

TEST_F(CollectTest, EmptySelectionOnlyTellsTheUser) {
    ListRows({kCurb});
    session.keywords.selected.clear();
    session.selectedHeaders = {"", kCurb};
    Collect();
    EXPECT_EQ(host.messages, Lines{std::string(selection::kEmptySelectionMessage)});
    EXPECT_EQ(session.selectedHeaders, Lines{""});
    EXPECT_EQ(session.output.Count(), 1);
}

class ExportTest : public CollectTest {
protected:
    ExportTest() {
        std::ofstream(dir.Of("source.ini")) << "[ Feature Style - Curb ]\n";
        settings.Save(kTempSection, kTempKey, dir.Of("r.tmp"));
        session.outputKind = 2;
    }
    ScratchDir dir;
    FakeSettings settings;
};

TEST_F(ExportTest, TwoExportsAccumulateInTheResultsFile) {
    ListRows({kFence});
    ASSERT_TRUE(ExportIniSubset(session, host, settings, dir.Of("source.ini")));
    EXPECT_EQ(session.outputKind, 0);
    const std::string fence = kFence + "\r\n000B=2\r\n\r\n001C=3\r\n\r\n";
    EXPECT_EQ(FileBytes(dir.Of("r.tmp")), "earlier\r\n" + fence);
    ASSERT_TRUE(ExportIniSubset(session, host, settings, dir.Of("source.ini")));
    EXPECT_EQ(FileBytes(dir.Of("r.tmp")), "earlier\r\n" + fence + fence);
    EXPECT_EQ(host.shownFiles, (Lines{dir.Of("r.tmp"), dir.Of("r.tmp")}));
}

TEST_F(ExportTest, EmptySelectionStillHandsOffWhatWasThere) {
    session.keywords.selected.clear();
    ASSERT_TRUE(ExportIniSubset(session, host, settings, dir.Of("source.ini")));
    EXPECT_EQ(FileBytes(dir.Of("r.tmp")), "earlier\r\n\r\n");
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ExportTest, MissingSourceCollectsAndShowsNothing) {
    ListRows({kFence});
    for (const std::string& source : {dir.Of("gone.ini"), dir.Path()}) {
        EXPECT_FALSE(ExportIniSubset(session, host, settings, source));
    }
    EXPECT_EQ(host.messages, (Lines(2, std::string(selection::kInvalidSourceMessage))));
    EXPECT_EQ(session.output.Count(), 1);
    EXPECT_EQ(session.outputKind, 2);
    EXPECT_TRUE(host.shownFiles.empty());
    EXPECT_FALSE(platform::FileExists(dir.Of("r.tmp")));
}

}  // namespace
}  // namespace quillset::exports
