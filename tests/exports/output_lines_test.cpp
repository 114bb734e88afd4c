#include "exports/output_lines.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "exports/scratch_dir.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;
using testing::FileBytes;
namespace fs = std::filesystem;

// Output lines handed off to a results file inside a scratch folder.
class HandOff : public ::testing::Test {
protected:
    HandOff() { settings.Save(kTempSection, kTempKey, dir.Of("r.tmp")); }
    std::string Written(const Lines& appended) {
        for (const auto& line : appended) s.output.Append(line);
        EXPECT_TRUE(ShowResults(s, host, settings));
        return FileBytes(dir.Of("r.tmp"));
    }
    std::string Saved() { return settings.Read(kTempSection, kTempKey, "<absent>"); }

    testing::ScratchDir dir;
    Session s;
    quillset::testing::FakeHost host;
    quillset::testing::FakeSettings settings;
};

TEST_F(HandOff, BlankRunsCollapseAndNothingGivesAnEmptyFile) {
    EXPECT_EQ(Written({}), "");
    EXPECT_EQ(host.shownFiles, Lines{dir.Of("r.tmp")});
    EXPECT_EQ(Written({"A", "", "", "B"}), "A\r\n\r\nB\r\n\r\n");
    EXPECT_EQ(Written({}), "A\r\n\r\nB\r\n\r\n");  // the hand-off keeps the lines
    s.output.Clear();
    EXPECT_EQ(Written({"", "", "A"}), "A\r\n\r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HandOff, BytesPassThroughUnchanged) {
    const std::string raw = "k=\x80\xA9\xFF"s + '\0' + "z\r";
    EXPECT_EQ(Written({"[ P - X ]", raw}), "[ P - X ]\r\n" + raw + "\r\n\r\n");
}

TEST(OutputLines, GrowsByDoublingAndClearKeepsTheCount) {
    OutputLines output;
    for (int i = 0; i < 501; ++i) {
        output.Append(std::to_string(i));
        ASSERT_EQ(output.Slots().size(), i < 500 ? 501u : 1001u);
    }
    for (int i = 0; i <= 500; ++i) ASSERT_EQ(output.Slots()[i], std::to_string(i));
    EXPECT_EQ(CollapsedLines(output.Slots()).size(), 502u);

    output.Clear();
    EXPECT_EQ(output.Count(), 501);
    output.Append("new");
    EXPECT_EQ(output.Count(), 502);
    EXPECT_EQ(CollapsedLines(output.Slots()), (Lines{"new", ""}));
}

TEST_F(HandOff, DefaultNameLiesInTheWorkingDirectory) {
    settings.values.clear();
    const fs::path previous = fs::current_path();
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    s.output.Append("A");
    const bool shown = ShowResults(s, host, settings);
    fs::current_path(previous);
    ASSERT_TRUE(shown);
    EXPECT_EQ(host.shownFiles, Lines{"quillset.tmp"});
    EXPECT_EQ(FileBytes(dir.Of("quillset.tmp")), "A\r\n\r\n");
    EXPECT_TRUE(settings.values.empty());
}

TEST_F(HandOff, UnwritableNameIsReplacedThroughTheTempWindow) {
    settings.Save(kTempSection, kTempKey, dir.Of("missing/r.tmp"));
    // The first confirmed name fails too; only the one that works is kept.
    host.tempNames = {dir.Of("gone/a.tmp"), dir.Of("new.tmp")};
    s.output.Append("A");
    ASSERT_TRUE(ShowResults(s, host, settings));
    EXPECT_EQ(host.tempWindowShownWith, (Lines{dir.Of("missing/r.tmp"), dir.Of("gone/a.tmp")}));
    EXPECT_EQ(Saved(), dir.Of("new.tmp"));
    EXPECT_EQ(s.tempFileName, dir.Of("new.tmp"));
    EXPECT_EQ(host.shownFiles, Lines{dir.Of("new.tmp")});
    EXPECT_EQ(FileBytes(dir.Of("new.tmp")), "A\r\n\r\n");
    EXPECT_TRUE(host.messages.empty());

    // The next hand-off goes straight to the stored name.
    ASSERT_TRUE(ShowResults(s, host, settings));
    EXPECT_EQ(host.tempWindowShownWith.size(), 2u);
}

TEST_F(HandOff, GivingUpShowsNothingAndKeepsTheLinesAndTheSetting) {
    settings.Save(kTempSection, kTempKey, dir.Of("missing/r.tmp"));
    host.tempNames = {dir.Of("gone/a.tmp")};  // then the window is closed
    s.output.Append("A");
    EXPECT_FALSE(ShowResults(s, host, settings));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(dir.Of("gone/a.tmp")), std::string::npos);
    EXPECT_TRUE(host.shownFiles.empty());
    EXPECT_EQ(CollapsedLines(s.output.Slots()), (Lines{"A", ""}));
    EXPECT_EQ(Saved(), dir.Of("missing/r.tmp"));
}

TEST_F(HandOff, APreviousFileThatCannotBeDeletedIsReplacedThroughTheTempWindow) {
    // Root may delete nearly anything; a file of the process file system
    // cannot be removed by anyone.
    const std::string undeletable = "/proc/version";
    if (!fs::is_regular_file(undeletable)) GTEST_SKIP() << "no " << undeletable;
    settings.Save(kTempSection, kTempKey, undeletable);
    host.tempNames = {dir.Of("new.tmp")};
    EXPECT_EQ(ResultsTempFileName(s, host, settings), dir.Of("new.tmp"));
    EXPECT_EQ(host.tempWindowShownWith, Lines{undeletable});
    EXPECT_TRUE(fs::exists(undeletable));
    EXPECT_EQ(Saved(), dir.Of("new.tmp"));
}

TEST_F(HandOff, AFolderInTheWayIsLeftAloneAndRecoveryAsked) {
    fs::create_directory(dir.Of("r.tmp"));
    std::ofstream(dir.Of("r.tmp/keep")) << "kept";
    host.tempNames = {dir.Of("other.tmp")};
    EXPECT_EQ(ResultsTempFileName(s, host, settings), dir.Of("other.tmp"));
    EXPECT_EQ(host.tempWindowShownWith, Lines{dir.Of("r.tmp")});
    EXPECT_EQ(FileBytes(dir.Of("r.tmp/keep")), "kept");
    EXPECT_TRUE(fs::is_regular_file(dir.Of("other.tmp")));
}

}  // namespace
}  // namespace quillset::exports
