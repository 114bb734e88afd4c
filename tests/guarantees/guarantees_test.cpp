// What no input may break, over the bundled sample and hostile files: every
// command ends with a result or a message, no input file changes, nothing is
// written but the temporary files, and a later failure leaves the results as
// they were.

#include <gtest/gtest.h>

#include <sys/stat.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <filesystem>
#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/compare_commands.h"
#include "app/export_commands.h"
#include "app/resize_commands.h"
#include "app/results.h"
#include "app/session.h"
#include "app/source_commands.h"
#include "compare/compare.h"
#include "compare/update.h"
#include "exports/csv_export.h"
#include "exports/ini_subset.h"
#include "exports/scratch_dir.h"
#include "exports/tsv_export.h"
#include "model/source_model.h"
#include "platform/out_of_memory.h"
#include "platform/text_file.h"
#include "resize/text_resizer.h"
#include "selection/keywords.h"

namespace quillset {
namespace {

namespace fs = std::filesystem;
using exports::testing::FileBytes;
using exports::testing::HandOffTest;

std::string Sample() { return FileBytes(QUILLSET_SAMPLES_DIR "/office_standard.ini"); }

std::string Repeat(std::string_view unit, std::size_t n) {
    std::string s;
    s.reserve(unit.size() * n);
    while (n--) s += unit;
    return s;
}

std::string Replaced(std::string s, std::string_view from, std::string_view to) {
    std::string out;
    for (std::size_t at = 0, hit; at <= s.size(); at = hit + from.size()) {
        hit = s.find(from, at);
        out.append(s, at, hit == std::string::npos ? std::string::npos : hit - at);
        if (hit == std::string::npos) break;
        out += to;
    }
    return out;
}

std::string Binary() {
    std::mt19937 random(14);
    std::string s(1 << 20, '\0');
    for (char& c : s) c = static_cast<char>(random());
    return s;
}

std::string WideCsv() {
    const std::string cells = Repeat(",7", 10'000);
    return "[ Feature Style - Wide ],<Feature>,Wide" + cells + "\r\n" +
           "[ Named Symbology - Wide ],x,<Default>,<Line  >,000DefaultLineSymbology=" + cells + "\r\n";
}

std::string WideTab() {
    std::string headers, values;
    for (int k = 0; k < 100'000; ++k) {
        headers += "[ Preferences - " + std::to_string(k) + " ]\t";
        values += "000Setting=" + std::to_string(k) + "\t";
    }
    return headers + "\r\n" + values + "\r\n";
}

struct Hostile {
    const char* file;
    std::function<std::string()> bytes;
};

const Hostile kHostile[] = {
    {"sample.ini", Sample},
    {"binary.ini", Binary},
    {"zero.ini", [] { return std::string("[ Feature Style - A\0B ]\r\n000\0=\0\0\r\n\0", 35); }},
    {"long_line.ini", [] { return "[ Preferences - " + std::string(10 << 20, 'x') + " ]"; }},
    {"no_final_end.ini", [] { return Sample() + "[ Preferences - Last ]\r\n000Last=1"; }},
    {"cr_only.ini", [] { return Replaced(Replaced(Sample(), "\r\n", "\r"), "\n", "\r"); }},
    {"high_bytes.ini", [] {
         std::string high;
         for (int c = 0x80; c <= 0xFF; ++c) high += static_cast<char>(c);
         return "[ Named Symbology - " + high + " ]\r\n000Text=" + high + ",1,2,3,4,5,6,7,8\r\n" + Sample();
     }},
    {"brackets.ini", [] { return std::string(100'000, '['); }},
    {"header_lines.ini", [] { return Repeat("[\n", 1'000'000); }},
    {"wide.csv", WideCsv},
    {"wide.txt", WideTab},
    {"sample.csv", Sample},
    {"binary.txt", Binary},
    {"empty.ini", [] { return std::string(); }},
};

std::set<std::string> Entries(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

struct Snapshot {
    std::string bytes;
    fs::file_time_type modified;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const std::string& path) { return {FileBytes(path), fs::last_write_time(path)}; }

// The confirmation window's part, for runs that ask nothing.
struct KeepTestBlocks : compare::BlockPreviewer {
    compare::Decision Decide(const compare::CompareRow&, const std::vector<compare::PairedLine>&) override {
        return compare::Decision::SkipThis;
    }
};

class GuaranteeTest : public HandOffTest {
protected:
    std::string Write(const char* name, const std::string& bytes) {
        const std::string path = dir.Path() + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_TRUE(f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
        if (f) std::fclose(f);
        // An old time, so a rewrite within the same second would still show.
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(48));
        return path;
    }

    // Whether `command` produced its result or said something.
    void EndsClearly(const char* what, const std::function<bool()>& command) {
        const std::size_t said = host.messages.size() + host.questions.size();
        EXPECT_TRUE(command() || host.messages.size() + host.questions.size() > said)
            << what << " ended silently";
    }

    // An export's result is the results file handed to the window.
    bool HandsOff(const std::function<void()>& command) {
        const std::size_t shown = host.shownFiles.size();
        command();
        return host.shownFiles.size() > shown;
    }

    selection::RefreshContext Context(const std::string& path) {
        return {path, model::PresetFor(model::SourceKindOf(path))};
    }

    // Every command the window offers on a source, in the order a user runs them.
    void RunEveryCommand(const std::string& path) {
        const model::SourceKind kind = model::SourceKindOf(path);
        ASSERT_TRUE(model::CountSource(s.source, host, path));
        EndsClearly("Process", [&] {
            return app::ProcessSource(s, host, settings, path, kind, model::PresetFor(kind));
        });
        EndsClearly("Add All", [&] { return selection::AddAll(s.selection, s.source, host, Context(path)).refreshed; });
        EndsClearly("INI subset", [&] {
            return HandsOff([&] { app::ExportIniSubset(s, host, settings, path); });
        });
        EndsClearly("CSV export", [&] { return HandsOff([&] { app::ExportCsv(s, host, settings, path); }); });
        EndsClearly("TSV export", [&] { return HandsOff([&] { app::ExportTsv(s, host, settings, path); }); });
        EndsClearly("Preview", [&] { return app::PreviewResize(s, host, path, {}).has_value(); });
        EndsClearly("Resize", [&] {
            return HandsOff([&] { app::ResizeTextCommand(s, host, settings, path, {}); });
        });
        EndsClearly("Compare", [&] {
            return app::RunComparison(s, host, path, test) == compare::CompareOutcome::Compared;
        });
        EndsClearly("Update", [&] { return HandsOff([&] { Update(path); }); });
    }

    // "Create Updated File" as the compare tab runs it.
    void Update(const std::string& source) {
        KeepTestBlocks previewer;
        app::RunUpdate(s, compare::ResetMode::ResetAll, true, previewer);
        app::ShowResults(s, host, settings, source);
    }

    // The test file every comparison runs against.
    std::string test = Write("test.ini", Sample());
};

TEST_F(GuaranteeTest, EveryCommandEndsClearlyAndLeavesItsInputAndFolderAlone) {
    for (const Hostile& input : kHostile) {
        SCOPED_TRACE(input.file);
        s = Session();
        host = quillset::testing::FakeHost();
        const std::string bytes = input.bytes();
        const std::string path = Write(input.file, bytes);
        const Snapshot before = Take(path), testBefore = Take(test);
        std::set<std::string> allowed = Entries(dir.Path());
        allowed.insert({app::kTempDefault, "ini_CSV.tmp"});

        RunEveryCommand(path);

        if (model::SourceKindOf(path) == model::SourceKind::Ini) {
            EXPECT_EQ(s.source.counts.allLines,
                      static_cast<std::int64_t>(platform::SplitLines(bytes).size()));
        }
        EXPECT_TRUE(Take(path) == before) << "the input changed";
        EXPECT_TRUE(Take(test) == testBefore) << "the test file changed";
        for (const std::string& name : Entries(dir.Path()))
            EXPECT_TRUE(allowed.count(name)) << name << " was written";
        fs::remove(path);
    }
}

// The source goes away, or turns into something that cannot be read, after
// it was counted, and so does the test file after its name was entered: the
// load and the comparison say so, the model and the results shown stay as
// they were, and the update still builds from the test file as read.
TEST_F(GuaranteeTest, AnInputThatGoesAwayLosesNothing) {
    std::vector<std::function<void(const std::string&)>> ways = {
        [](const std::string& p) { fs::remove(p); },
        [](const std::string& p) { fs::remove(p); fs::create_directory(p); },
#if !defined(_WIN32)  // FIFOs, symbolic links and user ids are POSIX's
        [](const std::string& p) { fs::remove(p); ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
        [](const std::string& p) { fs::remove(p); fs::create_symlink(p + ".gone", p); },
#endif
    };
#if !defined(_WIN32)
    // Root reads whatever the permissions say, so only others can try this way.
    if (geteuid() != 0) ways.push_back([](const std::string& p) { fs::permissions(p, fs::perms::none); });
#endif
    for (const auto& goAway : ways) {
        s = Session();
        host = quillset::testing::FakeHost();
        const std::string path = Write("source.ini", Sample());
        test = Write("test.ini", Replaced(Sample(), "=1\r\n", "=2\r\n"));
        ASSERT_TRUE(app::ProcessSource(s, host, settings, path, model::SourceKind::Ini, {}));
        selection::AddAll(s.selection, s.source, host, Context(path));
        ASSERT_EQ(app::RunComparison(s, host, path, test), compare::CompareOutcome::Compared);
        ASSERT_TRUE(app::ExportIniSubset(s, host, settings, path));
        const std::string results = FileBytes(app::kTempDefault);
        const auto keywords = s.selection.keywords.available;
        const auto output = s.output.Lines();
        ASSERT_TRUE(model::CountSource(s.source, host, path));

        goAway(path);
        goAway(test);
        const std::size_t said = host.messages.size();
        EXPECT_FALSE(app::ProcessSource(s, host, settings, path, model::SourceKind::Ini, {}));
        ASSERT_EQ(host.messages.size(), said + 1);
        EXPECT_NE(host.messages.back().find(path), std::string::npos) << host.messages.back();
        EXPECT_NE(app::RunComparison(s, host, path, test), compare::CompareOutcome::Compared);
        EXPECT_EQ(host.messages.size(), said + 2);
        EXPECT_EQ(s.selection.keywords.available, keywords);
        EXPECT_EQ(s.output.Lines(), output);
        EXPECT_EQ(host.shownFiles.size(), 1u);
        EXPECT_EQ(FileBytes(app::kTempDefault), results);

        // The rows of the first comparison, if the failed one left them, still
        // update from the test lines held since the name was entered.
        Update(path);
        EXPECT_EQ(host.shownFiles.size(), 2u);
        for (const std::string& p : {path, test}) {
            if (fs::exists(p)) fs::permissions(p, fs::perms::owner_all);
            fs::remove_all(p);
        }
    }
}

// The results file cannot be made (its name is taken by a folder, or by one
// of the inputs): the function says so, the results shown, the output lines
// and the inputs stay as they were.
TEST_F(GuaranteeTest, AFailedHandOffKeepsTheResultsAndTheInputs) {
    const std::string path = Write("source.ini", Sample());
    ASSERT_TRUE(app::ProcessSource(s, host, settings, path, model::SourceKind::Ini, {}));
    selection::AddAll(s.selection, s.source, host, Context(path));
    ASSERT_EQ(app::RunComparison(s, host, path, test), compare::CompareOutcome::Compared);
    ASSERT_TRUE(app::ExportIniSubset(s, host, settings, path));
    const auto output = s.output.Lines();
    const auto kept = output.begin() + s.output.Count();
    const Snapshot source = Take(path), testBefore = Take(test);
    fs::remove(app::kTempDefault);
    fs::create_directory(app::kTempDefault);

    for (const std::string& name : {std::string(app::kTempDefault), path, test}) {
        settings.Save(app::kTempSection, app::kTempKey, name);
        for (const auto& run : std::initializer_list<std::function<void()>>{
                 [&] { app::ShowResults(s, host, settings, path); },
                 [&] { app::WriteCsvExport(s, host, settings, path); },
                 [&] { app::WriteTsvExport(s, host, settings, path); },
                 [&] { Update(path); }}) {
            const std::size_t said = host.messages.size();
            run();
            EXPECT_GT(host.messages.size(), said) << name;
            EXPECT_EQ(host.shownFiles.size(), 1u) << name;
            EXPECT_TRUE(std::equal(output.begin(), kept, s.output.Lines().begin())) << name;
        }
        EXPECT_EQ(host.tempWindowShownWith.back(), name);
    }
    EXPECT_TRUE(fs::is_directory(app::kTempDefault));
    EXPECT_TRUE(Take(path) == source);
    EXPECT_TRUE(Take(test) == testBefore);
}

TEST_F(GuaranteeTest, ACancelledCommandLeavesTheSessionAsItWas) {
    const std::string path = Write("source.ini", Sample());
    ASSERT_TRUE(app::ProcessSource(s, host, settings, path, model::SourceKind::Ini, {}));
    selection::AddAll(s.selection, s.source, host, Context(path));
    ASSERT_EQ(app::RunComparison(s, host, path, test), compare::CompareOutcome::Compared);
    ASSERT_TRUE(app::ExportIniSubset(s, host, settings, path));
    const auto state = [&] {
        return std::tuple(s.source.bytes.get(), s.selection.keywords.available.size(),
                          s.selection.keywords.selected.size(), s.selection.headerList.rows.size(),
                          s.selection.selectedHeaders, s.comparison.rows.size(), s.comparison.sortColumn,
                          s.output.Lines(), s.output.Count(), s.outputKind, host.shownFiles.size());
    };
    const auto before = state();
    const std::string other = Write("other.ini", "[ Feature Style - X ]\r\nA=1\r\n" + Sample());
    host.tasks.clear();
    KeepTestBlocks previewer;
    const auto csv = [&] { app::ExportCsv(s, host, settings, path); };
    const auto tsv = [&] { app::ExportTsv(s, host, settings, path); };
    // Cancelled in the first task, and the exports also in their conversion.
    for (const auto& [cancel, run] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"", [&] { app::ProcessSource(s, host, settings, other, model::SourceKind::Ini, {}); }},
             {"", [&] { app::ExportIniSubset(s, host, settings, path); }},
             {"", csv}, {"", tsv}, {"Making", csv}, {"Making", tsv},
             {"", [&] { app::RunComparison(s, host, path, other); }},
             {"", [&] { app::RunUpdate(s, compare::ResetMode::ResetAll, true, previewer, &host); }}}) {
        host.cancel = cancel;
        const std::size_t said = host.messages.size();
        EXPECT_FALSE(WithinMemory(host, run));
        EXPECT_EQ(host.messages.size(), said);  // cancelled quietly
        EXPECT_TRUE(state() == before);
    }
    EXPECT_EQ(host.tasks, (std::vector<std::string>{
                              "Processing " + other, "Collecting the selected blocks",
                              "Making the spreadsheet table", "Collecting the selected blocks",
                              "Making the TAB-separated table", "Comparing with " + other,
                              "Creating the updated file"}));
}

}  // namespace
}  // namespace quillset
