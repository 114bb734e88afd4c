#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <vector>

namespace quillset::platform {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;
namespace fs = std::filesystem;

TEST(SplitLinesTest, EndsLinesAtCrlfLfAndLoneCr) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("\r\n"), Lines{""});
    EXPECT_EQ(SplitLines("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines("a\r\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\r\r\n"), (Lines{"a", ""}));
}

TEST(SplitLinesTest, PassesEveryOtherByteThrough) {
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n') bytes += static_cast<char>(c);
    const Lines lines = SplitLines(bytes + "\r\n" + bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], bytes);
    EXPECT_EQ(lines[1], bytes);
    EXPECT_EQ(lines[0].size(), 254u);
}

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quillset_text_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string PathOf(const std::string& name) const { return (fs::path(dir_) / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string dir_;
};

TEST_F(TextFileTest, ReadsRawBytesLineByLine) {
    const std::string nul = "N\0L"s;
    const auto path = Write("in.ini", "caf\xe9\r\n" + nul + "\n\x80\xff\rlast");
    const ReadResult r = ReadTextLines(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lines, (Lines{"caf\xe9", nul, "\x80\xff", "last"}));

    const ReadResult empty = ReadTextLines(Write("empty.ini", ""));
    ASSERT_TRUE(empty.ok);
    EXPECT_TRUE(empty.lines.empty());
}

TEST_F(TextFileTest, ReportsWhatCannotBeRead) {
    const ReadResult missing = ReadTextLines(PathOf("missing.ini"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());

    fs::create_directory(PathOf("sub"));
    const ReadResult folder = ReadTextLines(PathOf("sub"));
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.error, "it is a folder");
    EXPECT_TRUE(folder.lines.empty());
}

TEST_F(TextFileTest, RefusesWhatIsNotARegularFile) {
    const auto fifo = PathOf("pipe.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return ReadTextLines(fifo); });
    if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "blocked on a FIFO without a writer";
        std::ofstream{fifo};  // a writer that closes at once lets the read end
    }
    const ReadResult r = reading.get();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "it is not a regular file");

    const ReadResult device = ReadTextLines("/dev/null");
    EXPECT_FALSE(device.ok);
    EXPECT_EQ(device.error, "it is not a regular file");
}

TEST_F(TextFileTest, ReadErrorIsReportedNotThrown) {
    // A regular file that opens but whose first read fails (EIO at address 0).
    const std::string mem = "/proc/self/mem";
    if (!fs::is_regular_file(mem)) GTEST_SKIP() << "no " << mem;
    ReadResult r;
    EXPECT_NO_THROW(r = ReadTextLines(mem));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error.rfind("read error", 0), 0u) << r.error;
    EXPECT_TRUE(r.lines.empty());
}

TEST_F(TextFileTest, WritesCrlfAndRoundTripsBytes) {
    const std::string odd = "\x80\xff"s + '\0' + "\x01 ,";
    const Lines lines = {"[ A - B ]", "", odd, "x"};
    const auto path = PathOf("out.ini");
    ASSERT_TRUE(WriteTextLines(path, lines));
    EXPECT_EQ(Bytes(path), "[ A - B ]\r\n\r\n" + odd + "\r\nx\r\n");
    const ReadResult back = ReadTextLines(path);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.lines, lines);

    ASSERT_TRUE(WriteTextLines(path, {"short"}));  // replaces, not appends
    EXPECT_EQ(Bytes(path), "short\r\n");
}

TEST_F(TextFileTest, WriteFailureGivesReason) {
    std::string error;
    EXPECT_FALSE(WriteTextLines(PathOf("no/such/dir/out.ini"), {"a"}, &error));
    EXPECT_FALSE(error.empty());
    fs::create_directory(PathOf("sub"));
    error.clear();
    EXPECT_FALSE(WriteTextLines(PathOf("sub"), {"a"}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(PathOf("sub")));
}

TEST_F(TextFileTest, CreateDeleteAndExistence) {
    const auto path = PathOf("t.tmp");
    EXPECT_FALSE(FileExists(path));
    ASSERT_TRUE(CreateEmptyFile(path));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(Bytes(path), "");
    Write("t.tmp", "content");
    ASSERT_TRUE(CreateEmptyFile(path));
    EXPECT_EQ(Bytes(path), "");
    ASSERT_TRUE(DeleteFile(path));
    EXPECT_FALSE(FileExists(path));
    std::string error;
    EXPECT_FALSE(DeleteFile(path, &error));
    EXPECT_FALSE(error.empty());

    fs::create_directory(PathOf("sub"));
    EXPECT_FALSE(FileExists(PathOf("sub")));
    EXPECT_TRUE(FolderExists(PathOf("sub")));
    EXPECT_FALSE(FolderExists(path));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DeleteFile(PathOf("sub")));
    EXPECT_TRUE(FolderExists(PathOf("sub")));
}

}  // namespace
}  // namespace quillset::platform
