#include "exports/output_lines.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "exports/scratch_dir.h"
#include "platform/text_file.h"
#include "session.h"
#include "support/fake_host.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;
using quillset::testing::FakeHost;
using quillset::testing::FakeSettings;
using testing::FileBytes;
using testing::ScratchDir;
namespace fs = std::filesystem;

Lines CollapsedAfter(const Lines& appended) {
    OutputLines output;
    for (const auto& line : appended) output.Append(line);
    return CollapsedLines(output.Slots());
}

TEST(OutputLinesTest, CollapsesBlankRunsAndDropsLeadingBlanks) {
    EXPECT_EQ(CollapsedAfter({"A", "", "", "B"}), (Lines{"A", "", "B", ""}));
    EXPECT_EQ(CollapsedAfter({"", "", "A"}), (Lines{"A", ""}));
    EXPECT_EQ(CollapsedAfter({}), Lines{});
    EXPECT_EQ(CollapsedAfter({"", ""}), Lines{});
}

TEST(OutputLinesTest, GrowsByDoublingWithoutLosingLines) {
    OutputLines output;
    for (int i = 0; i < 500; ++i) output.Append(std::to_string(i));
    EXPECT_EQ(output.Slots().size(), 501u);
    output.Append("500");
    ASSERT_EQ(output.Slots().size(), 1001u);
    EXPECT_EQ(output.Count(), 501);
    for (int i = 0; i <= 500; ++i) ASSERT_EQ(output.Slots()[i], std::to_string(i));
    for (int i = 501; i < 1500; ++i) {
        output.Append(std::to_string(i));
        ASSERT_GT(output.Slots().size(), static_cast<std::size_t>(output.Count()));
    }
    EXPECT_EQ(output.Slots().size(), 2001u);
    EXPECT_EQ(CollapsedLines(output.Slots()).size(), 1501u);
}

TEST(OutputLinesTest, ClearKeepsCountSoNewLinesFollowDroppedBlanks) {
    OutputLines output;
    for (int i = 0; i < 600; ++i) output.Append("old");
    output.Clear();
    EXPECT_EQ(output.Count(), 600);
    EXPECT_EQ(output.Slots(), Lines(501));
    output.Append("new");
    output.Append("");
    output.Append("last");
    EXPECT_EQ(output.Slots()[600], "new");
    EXPECT_EQ(output.Count(), 603);
    EXPECT_EQ(CollapsedLines(output.Slots()), (Lines{"new", "", "last", ""}));
}

class HandOffTest : public ::testing::Test {
protected:
    void UseTempFile(const std::string& path) { settings.Save(kTempSection, kTempKey, path); }
    std::string SavedTempFile() { return settings.Read(kTempSection, kTempKey, "<absent>"); }

    ScratchDir dir;
    Session session;
    FakeHost host;
    FakeSettings settings;
};

TEST_F(HandOffTest, WritesRawBytesWithCrlfAndShowsTheFile) {
    const std::string binary = "k=\x80\xA9\xFF"s + '\0' + "z";
    session.output.Append("[ P - X ]");
    session.output.Append(binary);
    UseTempFile(dir.Of("r.tmp"));
    ASSERT_TRUE(ShowResults(session, host, settings));
    EXPECT_EQ(FileBytes(dir.Of("r.tmp")), "[ P - X ]\r\n" + binary + "\r\n\r\n");
    EXPECT_EQ(host.shownFiles, Lines{dir.Of("r.tmp")});
    EXPECT_EQ(session.tempFileName, dir.Of("r.tmp"));
    EXPECT_EQ(session.output.Count(), 2);  // the hand-off keeps the lines
}

TEST_F(HandOffTest, NothingToWriteGivesAnEmptyFileStillShown) {
    UseTempFile(dir.Of("r.tmp"));
    std::ofstream(dir.Of("r.tmp")) << "previous run";
    ASSERT_TRUE(ShowResults(session, host, settings));
    EXPECT_EQ(FileBytes(dir.Of("r.tmp")), "");
    EXPECT_EQ(host.shownFiles.size(), 1u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(HandOffTest, DefaultNameLiesInTheWorkingDirectory) {
    const fs::path previous = fs::current_path();
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    session.output.Append("A");
    const bool shown = ShowResults(session, host, settings);
    fs::current_path(previous);
    ASSERT_TRUE(shown);
    EXPECT_EQ(session.tempFileName, "quillset.tmp");
    EXPECT_EQ(host.shownFiles, Lines{"quillset.tmp"});
    EXPECT_EQ(FileBytes(dir.Of("quillset.tmp")), "A\r\n\r\n");
    EXPECT_TRUE(settings.values.empty());  // the default is not written back
}

// A folder no new file can be made in: read-only, or (for root, who ignores
// permissions) a path below a plain file.
std::string UncreatablePath(const ScratchDir& dir) {
    if (geteuid() != 0) {
        fs::create_directory(dir.Of("locked"));
        fs::permissions(dir.Of("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        return dir.Of("locked/r.tmp");
    }
    std::ofstream(dir.Of("plain")) << "x";
    return dir.Of("plain/r.tmp");
}

TEST_F(HandOffTest, UncreatableFileAsksUntilANameWorksAndSavesIt) {
    const std::string blocked = UncreatablePath(dir);
    const std::string missingFolder = dir.Of("nowhere/r.tmp");
    UseTempFile(blocked);
    host.tempNames = {missingFolder, dir.Of("new.tmp")};
    session.output.Append("A");
    ASSERT_TRUE(ShowResults(session, host, settings));
    EXPECT_EQ(host.tempWindowShownWith, (Lines{blocked, missingFolder}));
    EXPECT_EQ(SavedTempFile(), dir.Of("new.tmp"));
    EXPECT_EQ(session.tempFileName, dir.Of("new.tmp"));
    EXPECT_EQ(host.shownFiles, Lines{dir.Of("new.tmp")});
    EXPECT_EQ(FileBytes(dir.Of("new.tmp")), "A\r\n\r\n");
}

TEST_F(HandOffTest, GivingUpEndsTheCommandAndKeepsTheLines) {
    const std::string blocked = UncreatablePath(dir);
    UseTempFile(blocked);
    session.output.Append("A");
    session.output.Append("B");
    EXPECT_FALSE(ShowResults(session, host, settings));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("could not create the temporary file " + blocked),
              std::string::npos);
    EXPECT_NE(host.messages[0].find("the command was not completed"), std::string::npos);
    EXPECT_TRUE(host.shownFiles.empty());
    EXPECT_EQ(session.output.Count(), 2);
    EXPECT_EQ(CollapsedLines(session.output.Slots()), (Lines{"A", "B", ""}));
    EXPECT_EQ(SavedTempFile(), blocked);
}

TEST_F(HandOffTest, UndeletablePreviousFileIsRecoveredLikeAnUncreatableOne) {
    fs::create_directory(dir.Of("occupied"));
    std::ofstream(dir.Of("occupied/keep")) << "kept";
    UseTempFile(dir.Of("occupied"));
    host.tempNames = {dir.Of("other.tmp")};
    ASSERT_EQ(ResultsTempFileName(session, host, settings), dir.Of("other.tmp"));
    EXPECT_EQ(host.tempWindowShownWith, Lines{dir.Of("occupied")});
    EXPECT_EQ(FileBytes(dir.Of("occupied/keep")), "kept");
    EXPECT_TRUE(platform::FileExists(dir.Of("other.tmp")));
    EXPECT_EQ(SavedTempFile(), dir.Of("other.tmp"));
}

}  // namespace
}  // namespace quillset::exports
