#include "exports/output_lines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "exports/scratch_dir.h"

namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;
using testing::FileBytes;

class HandOff : public testing::HandOffTest {
protected:
    bool Show(const Lines& appended) {
        for (const auto& line : appended) s.output.Append(line);
        return ShowResults(s, host, settings);
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

TEST(OutputLines, GrowsAtThe501stLineAndClearKeepsTheCount) {
    OutputLines output;
    for (int i = 0; i < 501; ++i) {
        output.Append(std::to_string(i));
        ASSERT_EQ(output.Slots().size(), i < 500 ? 501u : 1001u) << i;
    }
    for (int i = 0; i <= 500; ++i) ASSERT_EQ(output.Slots()[i], std::to_string(i));
    output.Clear();
    EXPECT_EQ(output.Slots(), Lines(501));
    output.Append("new");
    EXPECT_EQ(output.Count(), 502);
    EXPECT_EQ(CollapsedLines(output.Slots()), (Lines{"new", ""}));
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
        ASSERT_TRUE(ShowResults(s, host, settings, "source.ini")) << input;
        EXPECT_EQ(host.tempWindowShownWith.back(), input);
    }
    EXPECT_EQ(FileBytes("source.ini"), "[a]");
    EXPECT_EQ(FileBytes("test.ini"), "[b]");
}

}  // namespace
}  // namespace quillset::exports
