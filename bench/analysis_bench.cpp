// Source analysis on large preference files: counting, loading, working lines
// and the keyword list, in memory and from disk.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "generated_source.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "resize/text_resizer.h"
#include "selection/keywords.h"
#include "app/session.h"
#include "app/source_commands.h"

namespace {

using quillset::model::CategoryChoice;
using quillset::model::SourceModel;
using Lines = std::vector<std::string>;
using quillset::bench::GeneratePreferenceFile;
using quillset::bench::Joined;
using quillset::bench::NameFor;

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
    quillset::bench::SilentHost host;
    quillset::bench::NoSettings settings;
    for (auto _ : state) {
        quillset::Session session;
        const bool ok =
            quillset::model::CountSource(session.source, host, path) &&
            quillset::app::ProcessSource(session, host, settings, path, quillset::model::SourceKind::Ini,
                                           CategoryChoice{});
        if (!ok) state.SkipWithError("analysis failed");
        benchmark::DoNotOptimize(session.selection.keywords.available.data());
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
    quillset::bench::SilentHost host;
    quillset::Session session;
    quillset::model::LoadLines(session.source, quillset::platform::SplitText(Joined(
                                                   GeneratePreferenceFile(static_cast<std::size_t>(state.range(0))))));
    quillset::model::BuildWorkingLines(session.source, CategoryChoice{});
    session.selection.keywords.selected = quillset::model::FillAvailableKeywords(session.source);
    const quillset::resize::ResizeSettings settings;
    for (auto _ : state) {
        state.PauseTiming();
        session.output = {};
        state.ResumeTiming();
        if (quillset::resize::ResizeText(session.source, session.selection.keywords.selected, session.output, host, settings, false) !=
            quillset::resize::ResizeStatus::Done)
            state.SkipWithError("resize failed");
    }
    if (session.output.Count() != static_cast<std::int32_t>(session.source.workingLines.size()))
        state.SkipWithError("lines lost");
    SetLineRate(state, session.source.workingLines.size());
    state.counters["keywords"] = static_cast<double>(session.selection.keywords.selected.size());
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

// Add All, then Remove of one keyword, over 1,000,000 distinct keywords in the
// core: each rebuilds the working lines and the header list of every
// selected block.
void KeywordCommand(benchmark::State& state, bool remove) {
    quillset::bench::SilentHost host;
    const auto n = static_cast<std::size_t>(state.range(0));
    quillset::Session session;
    quillset::model::LoadLines(session.source,
                               quillset::platform::SplitText(Joined(GenerateDistinctKeywords(n))));
    quillset::model::BuildWorkingLines(session.source, CategoryChoice{});
    const quillset::model::Lines all = quillset::model::FillAvailableKeywords(session.source);
    // The refresh checks that the source still exists; any existing file does.
    const quillset::selection::RefreshContext context{"/proc/self/exe", {}};
    for (auto _ : state) {
        state.PauseTiming();
        session.selection.keywords.available = all;
        session.selection.keywords.selected.clear();
        session.selection.keywords.lastGrepCount = 0;
        if (remove) quillset::selection::AddAll(session.selection, session.source, host, context);
        state.ResumeTiming();
        if (remove) {
            quillset::selection::Remove(session.selection, session.source, host, context, {0});
        } else {
            quillset::selection::AddAll(session.selection, session.source, host, context);
        }
    }
    if (session.selection.headerList.rows.size() != n - (remove ? 1 : 0)) state.SkipWithError("rows lost");
    state.counters["keywords"] = static_cast<double>(n);
}
void BM_AddAll(benchmark::State& state) { KeywordCommand(state, false); }
void BM_RemoveOne(benchmark::State& state) { KeywordCommand(state, true); }
BENCHMARK(BM_AddAll)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveOne)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
