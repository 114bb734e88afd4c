#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "support/text_lines.h"

namespace quillset::platform {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return dir_.Path(name); }
    std::string Write(const std::string& name, const std::string& bytes) { return dir_.Write(name, bytes); }

    testing::ScratchDir dir_;
};

TEST_F(TextFileTest, ReadsRawBytesLineByLineAndWritesThemBackWithCrlf) {
    std::string bytes;  // every byte value but the two terminators, NUL and 0x80-0xFF included
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n') bytes += static_cast<char>(c);
    // CRLF, LF and a lone CR each end one line, so LF CR and CR CRLF end two;
    // the last line needs no terminator.
    const ReadResult r = ReadTextLines(Write("in.ini", "a\r\rb\n\rc\r\r\n" + bytes + "\r\nlast"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(testing::Strings(r.text.lines), (Lines{"a", "", "b", "", "c", "", bytes, "last"}));
    const ReadResult empty = ReadTextLines(Write("empty.ini", ""));
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(testing::Strings(empty.text.lines), Lines{});

    const auto path = PathOf("out.ini");
    ASSERT_TRUE(WriteTextLines(path, {"x"}));
    ASSERT_TRUE(WriteTextLines(path, testing::Strings(r.text.lines)));  // replaces, not appends
    EXPECT_EQ(testing::FileBytes(path), "a\r\n\r\nb\r\n\r\nc\r\n\r\n" + bytes + "\r\nlast\r\n");
}

TEST(LineSplitTest, EveryMixOfTerminatorsSplitsAsAByteByByteReading) {
    // The splitter tests sixteen bytes at a time and looks at 4096 bytes per
    // call: pairs and runs of CR and LF falling on every offset, across both
    // kinds of boundary, against a plain reading.
    const auto plain = [](const std::string& bytes) {
        Lines lines;
        std::string line;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c != '\r' && c != '\n') {
                line += c;
                continue;
            }
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        }
        if (!line.empty()) lines.push_back(line);
        return lines;
    };
    std::uint32_t state = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 70 + (round % 7 == 0 ? kLineEndSpan - 35 : 0)), 'x');
        for (char& c : bytes) {
            state = state * 1103515245u + 12345u;
            c = "ab\r\n\r\n"[(state >> 16) % 6];
        }
        Lines split;
        ForEachLine(bytes, [&](std::string_view line) { split.emplace_back(line); });
        ASSERT_EQ(split, plain(bytes)) << ::testing::PrintToString(bytes);
        ASSERT_EQ(LineCount(bytes), split.size());
    }
}

TEST(LargePagesTest, TheHintKeepsEveryByteOfAnyBuffer) {
    // Advice on any part of a buffer, aligned or not, large or tiny, must
    // leave its bytes as they were: only how they are backed may change.
    std::vector<char> buffer(9 << 20);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<char>(i * 131 % 251);
    const std::vector<char> before = buffer;
    AdviseLargePages(buffer.data() + 3, buffer.size() - 3);
    AdviseLargePages(buffer.data(), 100);
    AdviseLargePages(nullptr, 0);
    EXPECT_TRUE(buffer == before);
}

// Pieces put together give the file; each ends at a line end, never between
// the CR and LF of a CRLF, even around a line longer than a block.
TEST_F(TextFileTest, PiecesOfAFileEndAtLineEnds) {
    std::string bytes;
    std::uint32_t state = 99;
    while (bytes.size() < 3'500'000) {
        state = state * 1103515245u + 12345u;
        bytes += std::string(state >> 26, 'a') + (state & 1 ? "\r\n" : state & 2 ? "\r" : "\n");
        if (bytes.size() % 1'000'003 < 70) bytes += std::string(1'500'000, 'L') + "\r";
    }
    bytes += "last";
    std::vector<std::string> pieces;
    const ReadStatus read = ForEachPiece(Write("p.ini", bytes), [&](std::string_view p) { pieces.emplace_back(p); });
    ASSERT_TRUE(read.ok) << read.error;
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        joined += pieces[i];
        if (i + 1 == pieces.size()) break;
        ASSERT_TRUE(pieces[i].back() == '\n' || pieces[i].back() == '\r') << i;
        EXPECT_FALSE(pieces[i].back() == '\r' && pieces[i + 1].front() == '\n') << i;
    }
    EXPECT_EQ(joined, bytes);
    EXPECT_GE(pieces.size(), 3u);
    fs::create_directory(PathOf("sub"));
    EXPECT_EQ(ForEachPiece(PathOf("sub"), [](std::string_view) {}).error, "it is a folder");
}

TEST_F(TextFileTest, RefusesPromptlyAndReportsWithoutThrowingWhatCannotBeRead) {
    fs::create_directory(PathOf("sub"));
    EXPECT_EQ(ReadTextLines(PathOf("sub")).error, "it is a folder");
    EXPECT_FALSE(ReadTextLines(PathOf("missing.ini")).error.empty());
#if defined(_WIN32)
    // Device names stand in every folder, with or without an extension.
    for (const std::string& device : std::vector<std::string>{"NUL", "nul", PathOf("CON"), PathOf("aux.ini"), PathOf("Com1.txt")})
        EXPECT_EQ(ReadTextLines(device).error, "it is not a regular file") << device;
    GTEST_SKIP() << "no FIFOs or /proc on Windows";
#else
    EXPECT_EQ(ReadTextLines("/dev/null").error, "it is not a regular file");

    const auto fifo = PathOf("pipe.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return ReadTextLines(fifo); });
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "blocked on a FIFO without a writer";
        std::ofstream{fifo};  // a writer that closes at once lets the read end
    }
    EXPECT_EQ(reading.get().error, "it is not a regular file");

    // A regular file that opens but whose first read fails (EIO at address 0).
    if (!fs::is_regular_file("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
    ReadResult r;
    EXPECT_NO_THROW(r = ReadTextLines("/proc/self/mem"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind("read error", 0), 0u) << r.error;
#endif
}

// Existence, deleting and writing as the hand-off and the conversion use them;
// the hand-off tests cover deleting a folder and an undeletable file.
TEST_F(TextFileTest, ExistenceTellsFilesFromFoldersAndFailuresSayWhy) {
    const auto path = Write("t.tmp", "content");
    const auto sub = PathOf("sub");
    fs::create_directory(sub);
    EXPECT_TRUE(FileExists(path) && FolderExists(sub));
    EXPECT_FALSE(FileExists(sub) || FolderExists(path) || FolderExists("") || FileExists(""));
    const Status written = WriteTextLines(sub, {"a"});
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.error.empty());
    ASSERT_TRUE(DeleteFile(path));
    const Status deleted = DeleteFile(path);
    EXPECT_FALSE(deleted);
    EXPECT_FALSE(deleted.error.empty());
}

TEST_F(TextFileTest, NewFileIsWrittenWholeAndNeverReplacesOne) {
    const std::string kept = Write("kept.ini", "mine\r\n");
#if defined(_WIN32)
    // One file whatever the case of its name.
    for (const char* taken : {"kept.ini", "KEPT.INI"}) {
#else
    fs::create_symlink("nowhere", PathOf("dangling"));
    for (const char* taken : {"kept.ini", "dangling"}) {
#endif
        EXPECT_TRUE(PathTaken(PathOf(taken)));
        const Status refused = WriteNewFile(PathOf(taken), "new");
        EXPECT_FALSE(refused) << taken;
        EXPECT_FALSE(refused.error.empty());
    }
    EXPECT_FALSE(WriteNewFile(PathOf("no/folder.ini"), "new"));
    const Status fresh = WriteNewFile(PathOf("fresh.ini"), std::string("a\0\xff\r\n", 5));
    EXPECT_TRUE(fresh) << fresh.error;
    EXPECT_EQ(testing::FileBytes(PathOf("fresh.ini")), std::string("a\0\xff\r\n", 5));
    EXPECT_EQ(testing::FileBytes(kept), "mine\r\n");
    EXPECT_FALSE(PathTaken(PathOf("nothing")));
    // A name of the longest length a folder takes: the temporary name is short.
    const std::string longest(255 - 4, 'n');
    const Status longName = WriteNewFile(PathOf(longest + ".ini"), "long");
    EXPECT_TRUE(longName) << longName.error;

    // Several files, all or none: a failure in writing the second, or in
    // moving it into place, leaves no first file behind.
    const std::string bytes = "x";
    NewFilesStatus several = WriteNewFiles({{PathOf("one.ini"), bytes}, {PathOf("no/two.ini"), bytes}});
    EXPECT_FALSE(several);
    EXPECT_EQ(several.failed, 1u);
    several = WriteNewFiles({{PathOf("one.ini"), bytes}, {PathOf("kept.ini"), bytes}});
    EXPECT_FALSE(several);
    EXPECT_EQ(several.failed, 1u);
    EXPECT_FALSE(PathTaken(PathOf("one.ini")));
    EXPECT_EQ(testing::FileBytes(kept), "mine\r\n");
    several = WriteNewFiles({{PathOf("one.ini"), bytes}, {PathOf("two.ini"), bytes}});
    EXPECT_TRUE(several) << several.error;
    // Nothing else, no temporary file, is left in the folder: five files and, but on Windows, the link.
    const bool link = fs::is_symlink(fs::symlink_status(PathOf("dangling")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), {}), link ? 6 : 5);
}

}  // namespace
}  // namespace quillset::platform
