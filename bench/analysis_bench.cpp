// Source analysis on large preference files: counting, loading, working lines
// and the keyword list, in memory and from disk.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/source_model.h"
#include "platform/text_file.h"
#include "resize/text_resizer.h"
#include "session.h"

namespace {

using quillset::model::CategoryChoice;
using quillset::model::SourceModel;
using Lines = std::vector<std::string>;

const char* const kWords[] = {"Curb",   "Gutter", "Fence",  "Hedge",   "Ditch",  "Manhole",
                              "Kerb",   "Verge",  "Lamp",   "Sign",    "Bank",   "Toe",
                              "Crest",  "Drain",  "Culvert", "Wall",   "Tree",   "Bollard",
                              "Footway", "Ramp",  "Island", "Barrier", "Pipe",   "Valve"};
constexpr std::size_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);

std::string NameFor(std::size_t i) {
    return std::string(kWords[i % kWordCount]) + " " + std::to_string(i / kWordCount);
}

void AddFeatureStyle(Lines& out, const std::string& name) {
    out.push_back("[ Feature Style - " + name + " ]");
    out.push_back("000SymbologyName=" + name);
    out.push_back("001Description=" + name + " (survey)");
    for (const char* key : {"002DisplayAsLine=1", "003DisplayAsPoint=0", "004Annotate=0",
                            "005DisplayAsLineInProfile=1", "007AnnotateInProfile=0",
                            "008DisplayAsPointInXs=1", "009AnnotateInXs=0", "010PlanarizeFlag=0",
                            "011PlanarElevation=0.000", "012AttachTag=0", "013PayItem=",
                            "014DisplayAsCrossingPointInProfile=0",
                            "015DisplayAsProjectedPointInProfile=0"})
        out.emplace_back(key);
    out.emplace_back();
}

void AddNamedSymbology(Lines& out, const std::string& name) {
    out.push_back("[ Named Symbology - " + name + " ]");
    for (const char* view : {"Default", "Plan", "Profile", "Xsec"}) {
        out.push_back(std::string("000") + view + "LineSymbology=" + name + ",12,3,0,1,");
        out.push_back(std::string("001") + view + "TextSymbology=" + name +
                      "_T,12,3,0,1,2.5,2.5,1.2,Standard,");
        out.push_back(std::string("002") + view + "PointSymbology=" + name + "_P,12,3,0,1,PT01,");
    }
    out.emplace_back();
}

void AddFilter(Lines& out, const std::string& name) {
    out.push_back("[ Feature Filter - " + name + " ]");
    out.push_back("000Include=" + name + "*");
    out.push_back("001Exclude=");
    out.push_back("002Levels=1-63");
    out.emplace_back();
}

void AddPreference(Lines& out, const std::string& name, int settings) {
    out.push_back("[ Preferences - " + name + " ]");
    for (int s = 0; s < settings; ++s) {
        char key[8];
        std::snprintf(key, sizeof key, "%03d", s);
        out.push_back(std::string(key) + "Setting=" + std::to_string(s * 7 % 13) + "  ,,");
    }
    out.emplace_back();
}

// A realistic mix: a few lines before the first header, then groups of a
// feature style and its named symbology, now and then a filter, a preference
// block or a WYSIWYG block, until about `target` lines.
Lines GeneratePreferenceFile(std::size_t target) {
    Lines out = {"; office standard", "; generated", ""};
    out.reserve(target + 64);
    for (std::size_t i = 0; out.size() < target; ++i) {
        const std::string name = NameFor(i);
        AddFeatureStyle(out, name);
        AddNamedSymbology(out, name);
        if (i % 5 == 0) AddFilter(out, name);
        if (i % 11 == 0) AddPreference(out, name, 24);
        if (i % 97 == 0) {
            out.push_back("[ WYSIWYG - Plot Scale " + std::to_string(i) + " ]");
            out.push_back("PlotScale=500");
            out.push_back("TextScale=1.0");
            out.emplace_back();
        }
    }
    return out;
}

// One short preference block per keyword, every name distinct.
Lines GenerateDistinctKeywords(std::size_t keywords) {
    Lines out;
    out.reserve(keywords * 3);
    for (std::size_t i = 0; i < keywords; ++i) {
        out.push_back("[ Preferences - " + NameFor(i) + " ]");
        out.push_back("000Setting=1");
        out.emplace_back();
    }
    return out;
}

// The lines as a file holding them: CRLF after each.
std::string Joined(const Lines& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes.append(line).append("\r\n");
    return bytes;
}

void SetLineRate(benchmark::State& state, std::size_t lines) {
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
    state.counters["lines"] = static_cast<double>(lines);
}

void BM_CountLines(benchmark::State& state) {
    const Lines lines = GeneratePreferenceFile(static_cast<std::size_t>(state.range(0)));
    const std::string bytes = Joined(lines);
    for (auto _ : state) benchmark::DoNotOptimize(quillset::model::CountLines(bytes));
    SetLineRate(state, lines.size());
}
BENCHMARK(BM_CountLines)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_AnalyseInMemory(benchmark::State& state) {
    const Lines lines = GeneratePreferenceFile(static_cast<std::size_t>(state.range(0)));
    const std::string bytes = Joined(lines);
    std::size_t keywords = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string copy = bytes;
        state.ResumeTiming();
        SourceModel model;
        quillset::model::LoadLines(model, quillset::platform::SplitText(std::move(copy)));
        quillset::model::BuildWorkingLines(model, CategoryChoice{});
        keywords = quillset::model::FillAvailableKeywords(model).size();
        benchmark::DoNotOptimize(keywords);
    }
    SetLineRate(state, lines.size());
    state.counters["keywords"] = static_cast<double>(keywords);
}
BENCHMARK(BM_AnalyseInMemory)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// What the window does: count the named file, then "Process Source Ini"
// (read again, count, load, working lines, keyword list).
void BM_CountAndProcessFile(benchmark::State& state) {
    const Lines lines = GeneratePreferenceFile(static_cast<std::size_t>(state.range(0)));
    char tmpl[] = "/tmp/quillset_bench_XXXXXX";
    if (!mkdtemp(tmpl)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(tmpl) + "/large.ini";
    if (!quillset::platform::WriteTextLines(path, lines)) {
        state.SkipWithError("cannot write the sample file");
        return;
    }
    struct SilentHost : quillset::Host {
        void Inform(std::string_view) override {}
        bool AskOkCancel(std::string_view) override { return true; }
        bool AskYesNo(std::string_view) override { return true; }
        std::optional<std::string> ChooseTempFileName(const std::string&) override { return {}; }
        void ShowResultsFile(const std::string&) override {}
    } host;
    struct NoSettings : quillset::SettingsStore {
        std::string Read(std::string_view, std::string_view, std::string_view fallback) override {
            return std::string(fallback);
        }
        void Save(std::string_view, std::string_view, std::string_view) override {}
    } settings;
    for (auto _ : state) {
        quillset::Session session;
        const bool ok =
            quillset::model::CountSource(session, host, path) &&
            quillset::model::ProcessSource(session, host, settings, path, quillset::model::SourceKind::Ini,
                                           CategoryChoice{});
        if (!ok) state.SkipWithError("analysis failed");
        benchmark::DoNotOptimize(session.keywords.available.data());
    }
    SetLineRate(state, lines.size());
    std::error_code ec;
    std::filesystem::remove_all(tmpl, ec);
}
BENCHMARK(BM_CountAndProcessFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// "Resize Text" over the same generated file with every keyword selected, to
// read beside BM_AnalyseInMemory: one pass over the working lines, the
// selection tested against each header line at once.
void BM_ResizeAllSelected(benchmark::State& state) {
    struct QuietHost : quillset::Host {
        void Inform(std::string_view) override {}
        bool AskOkCancel(std::string_view) override { return true; }
        bool AskYesNo(std::string_view) override { return true; }
        std::optional<std::string> ChooseTempFileName(const std::string&) override { return {}; }
        void ShowResultsFile(const std::string&) override {}
    } host;
    quillset::Session session;
    quillset::model::LoadLines(session.source, quillset::platform::SplitText(Joined(
                                                   GeneratePreferenceFile(static_cast<std::size_t>(state.range(0))))));
    quillset::model::BuildWorkingLines(session.source, CategoryChoice{});
    session.keywords.selected = quillset::model::FillAvailableKeywords(session.source);
    const quillset::resize::ResizeSettings settings;
    for (auto _ : state) {
        state.PauseTiming();
        session.output = {};
        state.ResumeTiming();
        if (quillset::resize::ResizeText(session, host, settings, false) !=
            quillset::resize::ResizeStatus::Done)
            state.SkipWithError("resize failed");
    }
    if (session.output.Count() != static_cast<std::int32_t>(session.source.workingLines.size()))
        state.SkipWithError("lines lost");
    SetLineRate(state, session.source.workingLines.size());
    state.counters["keywords"] = static_cast<double>(session.keywords.selected.size());
}
BENCHMARK(BM_ResizeAllSelected)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_KeywordList(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    SourceModel model;
    quillset::model::LoadLines(model, quillset::platform::SplitText(Joined(GenerateDistinctKeywords(n))));
    quillset::model::BuildWorkingLines(model, CategoryChoice{});
    for (auto _ : state) {
        auto keywords = quillset::model::FillAvailableKeywords(model);
        if (keywords.size() != n) state.SkipWithError("keywords lost");
        benchmark::DoNotOptimize(keywords.data());
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(n));
    state.counters["keywords/s"] =
        benchmark::Counter(static_cast<double>(n) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_KeywordList)
    ->Arg(25'000)
    ->Arg(50'000)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
