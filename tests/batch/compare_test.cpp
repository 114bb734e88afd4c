// quillset-batch compare and update run as a process.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "exports/scratch_dir.h"
#include "support/run_process.h"

namespace {

using quillset::exports::testing::FileBytes;
using quillset::exports::testing::ScratchDir;

const char* const kSource = "[ P - A ]\r\na=1\r\nb=2\r\n[ P - B ]\r\nb=1\r\n[ P - C ]\r\nc=1\r\n";
const char* const kTest = "; mine\r\n[ P - B ]\r\nb=1\r\n[ P - A ]\r\nb=3\r\nz=0\r\n[ P - T ]\r\nt=1\r\n";

class CompareBatch : public ::testing::Test {
protected:
    CompareBatch() {
        Write("src.ini", kSource);
        Write("test.ini", kTest);
        std::filesystem::create_directory(Path("out"));
        std::filesystem::create_directory(Path("other"));
        Write("other/test.ini", "[ P - C ]\r\nc=2\r\n");
        Write("other/second.ini", "[ P - C ]\r\nc=2\r\n");
    }
    std::string Path(const std::string& name) const { return dir.Path() + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    quillset::testing::ProcessResult Run(std::vector<std::string> args) const {
        std::filesystem::current_path(dir.Path());
        auto result = quillset::testing::RunProcess(QUILLSET_BATCH, args, dir.Path());
        std::filesystem::current_path(home);
        return result;
    }

    const std::filesystem::path home = std::filesystem::current_path();
    ScratchDir dir;
};

TEST_F(CompareBatch, CompareListsRowsCountersAndTheKeysThatDiffer) {
    auto r = Run({"compare", "src.ini", "test.ini", "--all", "--keys"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Header\tHeader Location\tLine #\n"
              "[ P - B ]\tBoth: Identical\t0000\n"
              "[ P - A ]\tBoth: Different\t0001\n"
              "\tchanged\tb\t2\t3\n\tcontrol only\ta\ta=1\n\ttest only\tz\tz=0\n"
              "[ P - T ]\tTEST .ini Only\t0002\n"
              "[ P - C ]\tControl ini Only\t0007\n"
              "\nControl Only's:\t1\nTest Only's:\t1\nDifferents:\t1\nIdenticals:\t1\n");
    r = Run({"compare", "src.ini", "test.ini", "--keyword", "A", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["rows"][1]["location"], "Both: Different");
    EXPECT_EQ(json["testOnly"], 2);
    EXPECT_EQ(json["controlOnly"], 0);
}

TEST_F(CompareBatch, UpdateWritesEachResultOnlyWhenEveryNameIsFree) {
    auto r = Run({"update", "src.ini", "test.ini", "--all", "--reset", "all", "--append", "all", "-o", "new.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(Path("new.ini")),
              "[ P - B ]\r\nb=1\r\n[ P - A ]\r\na=1\r\nb=2\r\n[ P - T ]\r\nt=1\r\n[ P - C ]\r\nc=1\r\n\r\n");
    EXPECT_EQ(FileBytes(Path("test.ini")), kTest);

    // Two tests with the same name, one target taken, no terminal to ask on,
    // several tests without a folder: nothing is written.
    Write("out/test.ini", "mine");
    struct Case {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"update", "src.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none",
          "--out-dir", "out"}, 1},
        {{"update", "src.ini", "test.ini", "--all", "--reset", "ask", "--append", "none"}, 2},
        {{"update", "src.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none"}, 2},
    };
    for (const Case& c : cases) {
        r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(FileBytes(Path("out/test.ini")), "mine");
    std::filesystem::remove(Path("out/test.ini"));
    r = Run({"update", "src.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none",
             "--out-dir", "out"});
    EXPECT_EQ(r.status, 1);  // both go to out/test.ini
    EXPECT_FALSE(std::filesystem::exists(Path("out/test.ini")));
    r = Run({"update", "src.ini", "test.ini", "other/second.ini", "--all", "--reset", "none", "--append", "none",
             "--out-dir", "out"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(Path("out/test.ini")), "[ P - B ]\r\nb=1\r\n[ P - A ]\r\nb=3\r\nz=0\r\n[ P - T ]\r\nt=1\r\n\r\n");
    EXPECT_EQ(FileBytes(Path("out/second.ini")), "[ P - C ]\r\nc=2\r\n\r\n");
}

}  // namespace
