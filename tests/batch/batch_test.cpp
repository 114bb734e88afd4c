// quillset-batch run as a process: output, exit status, messages, and what
// it must never do to existing files; compare and update too.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <nlohmann/json.hpp>

#include "platform/out_of_memory.h"
#include "support/address_limit.h"
#include "support/run_process.h"
#include "support/scratch_dir.h"

namespace {

using quillset::testing::FileBytes;
using Args = std::vector<std::string>;

// The tool as a name that still holds after the test moves to a folder on another drive (wine).
const std::string kBatch = std::filesystem::absolute(QUILLSET_BATCH).string();

// An old modification time, so that any write to a file would show.
const auto kOldTime = std::chrono::floor<std::chrono::seconds>(std::filesystem::file_time_type::clock::now()) -
                      std::chrono::hours(24 * 365 * 5);

// One line before the first header, a feature block with a run of blank
// lines, and blocks of every other category; "Curb" names two blocks.
const char* const kSource =
    "; office\r\n"
    "[ Feature Style - Curb ]\r\nA=1\r\n\r\n\r\nA=2\r\n"
    "[ Named Symbology - Curb ]\r\nB=1\r\n"
    "[ Feature Filter - Drain ]\r\nC=1\r\n"
    "[ Dialog Boxes - Curb Left ]\r\nD=1\r\n"
    "[ Wysiwyg Settings - Text ]\r\nW=1\r\n";
const std::string kCurb = "[ Feature Style - Curb ]\r\nA=1\r\n\r\nA=2\r\n\r\n[ Named Symbology - Curb ]\r\nB=1\r\n\r\n";
const std::string kEmptySelection = "Please select at least one Keyword from the Available Keywords list.\n";

class Batch : public ::testing::Test {
protected:
    Batch() {
        Write("src.ini", kSource);
        Write("empty.ini", "");
        Write("level.csv", "[ Named Symbology - Curb ],x,<Default>,<Line  >,000Line=,RD-CURB,99,3\r\n");
    }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    void Write(const std::string& name, const std::string& bytes) const { dir.Write(name, bytes); }
    // Names in `args` are taken in the scratch folder.
    quillset::testing::ProcessResult Run(Args args, std::uint64_t addressLimit = 0) const {
        std::filesystem::current_path(dir.Path());
        auto result = quillset::testing::RunProcess(kBatch, args, dir.Path(), addressLimit);
        std::filesystem::current_path(home);
        return result;
    }

    const std::filesystem::path home = std::filesystem::current_path();
    quillset::testing::ScratchDir dir;
};

TEST_F(Batch, CountShowsTheTwelveCountsAsTableOrJsonAndGoesOnPastABadFile) {
    auto r = Run({"count", "src.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "File     Feature Styles  Named Symbol  Feature Filters  Preferences  incl. Wys  Total\n"
              "         #        lines  #      lines  #         lines  #     lines  #   lines  # lines\n"
              "src.ini  1            5  1          2  1             2  2         5  1       2  5    14\n");

    r = Run({"count", "--json", "src.ini", "missing.ini", "empty.ini"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Unable to read missing.ini: No such file or directory\n");
    EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json::parse(R"([{"file": "src.ini", "featureDefs": 1,
        "featureLines": 5, "symbolDefs": 1, "symbolLines": 2, "filterDefs": 1, "filterLines": 2, "prefDefs": 2,
        "prefLines": 5, "wysDefs": 1, "wysLines": 2, "allDefs": 5, "allLines": 14}, {"file": "empty.ini",
        "featureDefs": 0, "featureLines": 0, "symbolDefs": 0, "symbolLines": 0, "filterDefs": 0, "filterLines": 0,
        "prefDefs": 0, "prefLines": 0, "wysDefs": 0, "wysLines": 0, "allDefs": 0, "allLines": 0}])"));
}

TEST_F(Batch, OutputAndMessagesOfEachCommand) {
    Write("t.ini", "[ Named Symbology - Curb ]\r\n1TextSymbology=L|1|0|0|3|2|2|1|S\r\n"
                   "[ Named Symbology - Fence ]\r\n1TextSymbology=L,1,0,0,3,2,2,1,S\r\n");
    const std::string left = "[ Dialog Boxes - Curb Left ]\r\nD=1\r\n\r\n", nope = "No keyword \"Nope\" in src.ini.\n";
    const std::string level = "changing [ Named Symbology - Curb ] level num 99 to 63\n";
    const Args ini{"export", "ini", "src.ini"};
    auto with = [](Args args, const Args& more) { return args.insert(args.end(), more.begin(), more.end()), args; };
    const struct { Args args; int status; std::string out, err; } cases[] = {
        {{"keywords", "src.ini"}, 0, "Curb\nCurb Left\nDrain\nText\n", ""},
        {{"keywords", "src.ini", "--categories", "filter,symbol"}, 0, "Curb\nDrain\n", ""},
        {{"keywords", "empty.ini"}, 0, "", ""},
        {with(ini, {"--keyword", "Curb"}), 0, kCurb, ""},
        {with(ini, {"--keyword", "Nope", "--keyword", "Curb", "--keyword", "Curb"}), 0, kCurb, nope},
        {with(ini, {"--keyword", "Curb", "--keyword", "Nope", "--strict"}), 1, "",
         nope + "Stopped by --strict: a keyword was not found.\n"},
        {with(ini, {"--keyword", "curb"}), 1, "", "No keyword \"curb\" in src.ini.\n" + kEmptySelection},
        {with(ini, {"--grep", "Curb"}), 0, kCurb + left, ""},
        {with(ini, {"--grep", "urb", "--categories", "preference"}), 0, left, ""},
        {with(ini, {"--grep", "zzz"}), 1, "", kEmptySelection},
        {with(ini, {"--all", "--categories", "filter"}), 0, "[ Feature Filter - Drain ]\r\nC=1\r\n\r\n", ""},
        {{"export", "ini", "empty.ini", "--all"}, 1, "", kEmptySelection},  // said once
        // Without a terminal a question takes the answer that keeps the rows.
        {{"keywords", "level.csv", "--categories", "symbol"}, 0, "Curb\n", level + "Answered \"OK\", which keeps the data.\n"},
        {{"keywords", "level.csv", "--strict"}, 1, "", level + "Stopped by --strict: this question needs an answer.\n"},
        {{"import", "level.csv"}, 0, "[ Named Symbology - Curb ]\r\n000Line=RD-CURB,63,3\r\n",
         level + "Answered \"OK\", which keeps the data.\n"},
        {{"import", "--strict", "level.csv", "-o", "imported.ini"}, 1, "",
         level + "Stopped by --strict: this question needs an answer.\n"},
        {{"import", "src.ini"}, 1, "", "src.ini is neither a spreadsheet (.csv) nor a TAB-separated (.txt) file.\n"},
        // Only the switches given are on; --preview lists instead of resizing.
        {{"resize", "t.ini", "--grep", "Curb", "--width", "0.90", "--pipe"}, 0,
         "[ Named Symbology - Curb ]\r\n1TextSymbology=L|1|0|0|3|2|0.9|1|S\r\n"
         "[ Named Symbology - Fence ]\r\n1TextSymbology=L,1,0,0,3,2,2,1,S\r\n\r\n", ""},
        {{"resize", "t.ini", "--all", "--preview", "--height", "3"}, 0,
         "  \r\n[ Named Symbology - Curb ]\r\n1TextSymbology=L|1|0|0|3|2|2|1|S\r\n"
         "  \r\n[ Named Symbology - Fence ]\r\n1TextSymbology=L,1,0,0,3,2,2,1,S\r\n", ""},
    };
    for (const auto& c : cases) {
        const auto r = Run(c.args);
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        EXPECT_EQ(r.status, c.status) << name;
        EXPECT_EQ(r.out, c.out) << name;
        EXPECT_EQ(r.err, c.err) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("imported.ini")));
}

TEST_F(Batch, OutputFileIsNewOrNothingAndInputsStayUntouched) {
    Write("out.ini", "keep\r\n");
    std::filesystem::last_write_time(Path("src.ini"), kOldTime);

    // An existing OUT stops the command before the (missing) input is read.
    for (const Args& args : {Args{"export", "ini", "missing.ini", "--all", "-o", "out.ini"},
                             Args{"count", "src.ini", "-o", "out.ini"}, Args{"keywords", "src.ini", "-o", "out.ini"}}) {
        const auto r = Run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "out.ini already exists!  Please Select a different file name.\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(FileBytes(Path("out.ini")), "keep\r\n");

    auto r = Run({"export", "ini", "src.ini", "--keyword", "Curb", "-o", "new.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(FileBytes(Path("new.ini")), kCurb);
    // A failed command and a missing folder leave no file, temporary or final.
    EXPECT_EQ(Run({"export", "ini", "src.ini", "--grep", "zzz", "-o", "none.ini"}).status, 1);
    // A TAB source is converted in memory: no conversion file appears.
    Write("tab.txt", "Preferences\tGeneral\r\n");
    EXPECT_EQ(Run({"count", "tab.txt"}).status, 0);
    r = Run({"keywords", "src.ini", "-o", "no/such/folder.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unable to save no/such/folder.txt"), std::string::npos) << r.err;
    // Only empty.ini, level.csv, new.ini, out.ini, src.ini and tab.txt.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 6);

    EXPECT_EQ(std::filesystem::last_write_time(Path("src.ini")), kOldTime);
    EXPECT_EQ(FileBytes(Path("src.ini")), kSource);
}

// Hostile sources: every command ends with status 0, or 1 and a message; the
// input keeps its bytes and time; nothing but the chosen new file is written.
TEST_F(Batch, HostileSourcesEndClearlyAndChangeNothing) {
    std::string high, binary(1 << 16, '\0');
    for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 2654435761u >> 13);
    std::string headers;
    for (int k = 0; k < 1'000'000; ++k) headers += "[\n";
    const std::pair<const char*, std::string> inputs[] = {
        {"binary.ini", binary},
        {"zero.ini", std::string("[ Feature Style - A\0B ]\r\n000\0=\0", 31)},
        {"long.ini", "[ Preferences - " + std::string(10 << 20, 'x') + " ]"},
        {"cr.ini", "[ Feature Style - A ]\r000=1\r[ Preferences - B ]\r000=" + high},
        {"brackets.ini", std::string(100'000, '[')},
        {"headers.ini", headers},
        {"binary.txt", binary},
    };
    for (const auto& [name, bytes] : inputs) {
        SCOPED_TRACE(name);
        Write(name, bytes);
        std::filesystem::last_write_time(Path(name), kOldTime);
        for (const Args& args : {Args{"count", name}, Args{"keywords", name},
                                 Args{"export", "ini", name, "--all", "--yes", "-o", "out.ini"}}) {
            const auto r = Run(args);
            EXPECT_TRUE(r.status == 0 || (r.status == 1 && !r.err.empty())) << args[0] << " " << r.status;
        }
        EXPECT_EQ(std::filesystem::last_write_time(Path(name)), kOldTime);
        EXPECT_TRUE(FileBytes(Path(name)) == bytes);
        for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
            const std::string entry = e.path().filename().string();
            EXPECT_TRUE(entry == name || entry == "out.ini" || entry == "src.ini" || entry == "empty.ini" ||
                        entry == "level.csv")
                << entry;
        }
        std::filesystem::remove(Path(name));
        std::filesystem::remove(Path("out.ini"));
    }
}

TEST_F(Batch, MemoryRunningOutIsAFailedCommandThatLeavesNoFile) {
    if (!quillset::testing::kAddressLimitWorks) GTEST_SKIP() << quillset::testing::kNoAddressLimit;
    // 30 MB that need about 230 MB once loaded, under a 128 MB limit that a
    // small source runs in.
    Write("huge.ini", quillset::testing::HugeSource(6'000'000));
    constexpr std::uint64_t kLimit = 128 << 20;
    auto r = Run({"export", "ini", "src.ini", "--all", "-o", "small.ini"}, kLimit);
    EXPECT_EQ(r.status, 0) << r.err;

    r = Run({"export", "ini", "huge.ini", "--all", "-o", "out.ini"}, kLimit);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string(quillset::kOutOfMemoryMessage) + "\n");
    EXPECT_EQ(r.out, "");
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"empty.ini", "huge.ini", "level.csv", "small.ini", "src.ini"}));
}

TEST_F(Batch, UsageErrorsAndHelp) {
    const struct { Args args; int status; std::vector<std::string> said; } cases[] = {
        {{}, 2, {"Usage", "count", "keywords", "export"}},
        {{"frobnicate"}, 2, {"frobnicate", "Usage"}},
        {{"count", "--bogus", "src.ini"}, 2, {"--bogus", "Usage"}},
        {{"export", "ini", "src.ini"}, 2, {"SELECTION", "--keyword"}},
        {{"export", "ini", "src.ini", "--all", "--grep", "x"}, 2, {"SELECTION"}},
        {{"keywords", "src.ini", "--categories", "feature,styles"}, 2, {"unknown category \"styles\""}},
        {{"resize", "gone.ini", "--all", "--height", "big"}, 2, {"\"big\" in the Text Height box", "Usage"}},
        {{"count", "src.ini", "-o", ""}, 2, {"OUT is an empty name", "Usage"}},
        {{"--help"}, 0, {"count", "keywords", "export", "Exit status"}},
        {{"export", "ini", "--help"}, 0, {"--keyword", "--grep", "--all", "--categories", "--strict", "--yes", "OUT"}},
    };
    for (const auto& c : cases) {
        const auto r = Run(c.args);
        const std::string& text = c.status == 0 ? r.out : r.err;
        EXPECT_EQ(r.status, c.status) << text;
        EXPECT_EQ((c.status == 0 ? r.err : r.out), "");
        for (const auto& word : c.said) EXPECT_NE(text.find(word), std::string::npos) << word << " in\n" << text;
    }
}

// Names reach the system as typed, whatever their characters, and the JSON
// holds them in UTF-8. On Windows devices are names in every folder, names
// that differ in case are one file, and `*` is expanded as a shell would.
TEST_F(Batch, NamesAsTypedAndTheNamesOfTheSystem) {
    for (const char* name : {"\u03A9mega.ini", "caf\u00E9.ini", "Std\u20132024.ini"}) Write(name, kSource);
    auto r = Run({"count", "--json", "\u03A9mega.ini", "caf\u00E9.ini"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json[0]["file"], "\u03A9mega.ini");
    EXPECT_EQ(json[1]["file"], "caf\u00E9.ini");
    r = Run({"export", "ini", "Std\u20132024.ini", "--keyword", "Curb", "-o", "\u03A9-out.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(Path("\u03A9-out.ini")), kCurb);
#if defined(_WIN32)
    for (const char* device : {"NUL", "aux.ini", "Con.txt"}) {
        r = Run({"count", device});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string("Unable to read ") + device + ": it is not a regular file\n");
        r = Run({"export", "ini", "src.ini", "--all", "-o", device});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(device) + " already exists!  Please Select a different file name.\n");
    }
    // A drive letter and backslashes, and a name in another case.
    const std::string typed = std::filesystem::path(Path("SRC.INI")).make_preferred().string();
    ASSERT_EQ(typed[1], ':');
    r = Run({"keywords", typed});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Curb\nCurb Left\nDrain\nText\n");
    r = Run({"export", "ini", "src.ini", "--all", "-o", "Src.Ini"});
    EXPECT_EQ(r.status, 1);
    r = Run({"count", "*.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string names;
    for (std::size_t at = r.out.find('\n', r.out.find('\n') + 1) + 1; at < r.out.size(); at = r.out.find('\n', at) + 1)
        names += r.out.substr(at, r.out.find(' ', at) - at) + ",";
    EXPECT_EQ(names, "Std\u20132024.ini,caf\u00E9.ini,empty.ini,src.ini,\u03A9-out.ini,\u03A9mega.ini,");
#endif
}

const char* const kControl = "[ P - A ]\r\na=1\r\nb=2\r\n[ P - B ]\r\nb=1\r\n[ P - C ]\r\nc=1\r\n";
const char* const kTest = "; mine\r\n[ P - B ]\r\nb=1\r\n[ P - A ]\r\nb=3\r\nz=0\r\n[ P - T ]\r\nt=1\r\n";

class CompareBatch : public Batch {
protected:
    CompareBatch() {
        Write("control.ini", kControl);
        Write("test.ini", kTest);
        std::filesystem::create_directory(Path("out"));
        std::filesystem::create_directory(Path("other"));
        Write("other/test.ini", "[ P - C ]\r\nc=2\r\n");
        Write("other/second.ini", "[ P - C ]\r\nc=2\r\n");
    }
};

TEST_F(CompareBatch, CompareListsRowsCountersAndTheKeysThatDiffer) {
    auto r = Run({"compare", "control.ini", "test.ini", "--all", "--keys"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Header\tHeader Location\tLine #\n"
              "[ P - B ]\tBoth: Identical\t0000\n"
              "[ P - A ]\tBoth: Different\t0001\n"
              "\tchanged\tb\t2\t3\n\tcontrol only\ta\ta=1\n\ttest only\tz\tz=0\n"
              "[ P - T ]\tTEST .ini Only\t0002\n"
              "[ P - C ]\tControl ini Only\t0007\n"
              "\nControl Only's:\t1\nTest Only's:\t1\nDifferents:\t1\nIdenticals:\t1\n");
    r = Run({"compare", "control.ini", "test.ini", "--keyword", "A", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["rows"][1]["location"], "Both: Different");
    EXPECT_EQ(json["testOnly"], 2);
    EXPECT_EQ(json["controlOnly"], 0);
    EXPECT_EQ(json["source"], "control.ini");
    EXPECT_EQ(json["test"], "test.ini");
    EXPECT_EQ(json["selection"], "keywords A");
    EXPECT_EQ(json["rows"][1]["line"], 1);
    EXPECT_EQ(json["rows"][1]["controlHeader"], "[ P - A ]");

    // Settings reordered, a TAB in a value: named and escaped.
    Write("order.ini", "[ P - A ]\r\nb=2\r\na=1\r\n[ P - B ]\r\nb=1\tx\r\n");
    r = Run({"compare", "control.ini", "order.ini", "--keyword", "A", "--keyword", "B", "--keys"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("[ P - A ]\tBoth: Different\t0000\n\torder only\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tchanged\tb\t1\t1\\tx\n"), std::string::npos) << r.out;
    r = Run({"compare", "control.ini", "order.ini", "--keyword", "A", "--keys", "--json"});
    json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["rows"][0]["differences"], nlohmann::json::parse(R"([{"kind": "order only"}])"));
}

TEST_F(CompareBatch, SurveyGathersTheVariantsAndNamesTheOneItCannotRead) {
    Write("tabs.ini", "[ P - A ]\r\na=1\r\nb=x\ty\r\n[ P - C ]\r\nc=1\r\n");
    auto r = Run({"survey", "control.ini", "test.ini", "tabs.ini", "none.ini", "--all"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.ini"), std::string::npos) << r.err;
    EXPECT_EQ(r.out,
              "Header\tLine #\ttest.ini\ttabs.ini\tnone.ini\n"
              "[ P - A ]\t1\tBoth: Different\tBoth: Different\t\n"
              "[ P - B ]\t4\tBoth: Identical\tControl ini Only\t\n"
              "[ P - C ]\t6\tControl ini Only\tBoth: Identical\t\n"
              "[ P - T ]\t\tTEST .ini Only\t\t\n"
              "\nControl Only's:\t1\t1\tunreadable\nTest Only's:\t1\t0\tunreadable\n"
              "Differents:\t1\t1\tunreadable\nIdenticals:\t1\t1\tunreadable\n"
              "\nVariant\tHeader\tDifference\tKey\tControl\tTest\n"
              "test.ini\t[ P - A ]\tchanged\tb\t2\t3\n"
              "test.ini\t[ P - A ]\tcontrol only\ta\ta=1\t\n"
              "test.ini\t[ P - A ]\ttest only\tz\t\tz=0\n"
              "tabs.ini\t[ P - A ]\tchanged\tb\t2\tx\\ty\n");

    r = Run({"survey", "control.ini", "test.ini", "--keyword", "A", "--format", "json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["standard"], "control.ini");
    EXPECT_EQ(json["categories"], "feature,symbol,filter,preference");
    EXPECT_EQ(json["selection"], "keywords A");
    EXPECT_EQ(json["variants"][0]["different"], 1);
    const auto& a = json["rows"][0];
    EXPECT_EQ(a["line"], 1);
    EXPECT_EQ(a["cells"][0]["line"], 4);
    EXPECT_EQ(a["cells"][0]["differences"][1],
              nlohmann::json({{"kind", "control only"}, {"key", "a"}, {"control", "1"}, {"controlLine", "a=1"}}));

    r = Run({"survey", "control.ini", "test.ini", "--all", "--format", "html", "-o", "report.html"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(FileBytes(Path("report.html")).find("<table id=\"matrix\">"), std::string::npos);
}

TEST_F(CompareBatch, TheSampleAgainstItsCopyIsIdenticalAndAResetKeepsEveryBlock) {
    // The sample holds "[ Preferences - Labels ]" twice with different lines.
    const std::string sample = FileBytes(QUILLSET_SAMPLES_DIR "/office_standard.ini");
    Write("copy.ini", sample);
    Write("sample.ini", sample);
    auto r = Run({"compare", "sample.ini", "copy.ini", "--all", "--keys"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Both: Different"), std::string::npos);
    EXPECT_NE(r.out.find("\nDifferents:\t0\n"), std::string::npos) << r.out;
    r = Run({"update", "sample.ini", "copy.ini", "--all", "--reset", "all", "--append", "all", "-o", "all.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    r = Run({"update", "sample.ini", "copy.ini", "--all", "--reset", "none", "--append", "none", "-o", "none.ini"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(Path("all.ini")), FileBytes(Path("none.ini")));
}

TEST_F(CompareBatch, UpdateWritesEachResultOnlyWhenEveryNameIsFree) {
    auto r = Run({"update", "control.ini", "test.ini", "--all", "--reset", "all", "--append", "all", "-o", "new.ini"});
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
        {{"update", "control.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none",
          "--out-dir", "out"}, 1},
        {{"update", "control.ini", "test.ini", "--all", "--reset", "ask", "--append", "none"}, 2},
        {{"update", "control.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none"}, 2},
    };
    for (const Case& c : cases) {
        r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(FileBytes(Path("out/test.ini")), "mine");
    std::filesystem::remove(Path("out/test.ini"));
    r = Run({"update", "control.ini", "test.ini", "other/test.ini", "--all", "--reset", "none", "--append", "none",
             "--out-dir", "out"});
    EXPECT_EQ(r.status, 1);  // both go to out/test.ini
    EXPECT_FALSE(std::filesystem::exists(Path("out/test.ini")));
    r = Run({"update", "control.ini", "test.ini", "other/second.ini", "--all", "--reset", "none", "--append", "none",
             "--out-dir", "out"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(Path("out/test.ini")), "[ P - B ]\r\nb=1\r\n[ P - A ]\r\nb=3\r\nz=0\r\n[ P - T ]\r\nt=1\r\n\r\n");
    EXPECT_EQ(FileBytes(Path("out/second.ini")), "[ P - C ]\r\nc=2\r\n\r\n");
#if defined(_WIN32)
    // Names that differ only in case are one file here.
    std::filesystem::remove(Path("out/test.ini"));
    std::filesystem::remove(Path("out/second.ini"));
    Write("other/TEST.INI", "[ P - C ]\r\nc=2\r\n");
    r = Run({"update", "control.ini", "test.ini", "other/TEST.INI", "--all", "--reset", "none", "--append", "none",
             "--out-dir", "out"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(std::filesystem::is_empty(Path("out")));
    r = Run({"update", "control.ini", "test.ini", "--all", "--reset", "none", "--append", "none", "--out-dir", "."});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(FileBytes(Path("test.ini")), kTest);
#endif
}

}  // namespace
