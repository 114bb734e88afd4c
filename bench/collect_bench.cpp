// Collecting listed blocks: a 100,000-row header list over 1,000,000 working
// lines, against one plain pass that appends every line, and against the
// per-row scan from the top that the header index replaces.

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "bench_host.h"
#include "exports/ini_subset.h"
#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace {

using quillset::Session;
using quillset::model::OutputLines;
using quillset::model::Lines;

constexpr std::size_t kBlocks = 100'000;
constexpr std::size_t kLinesPerBlock = 10;  // header, 8 settings, one blank

std::string HeaderFor(std::size_t i) {
    return "[ Feature Style - Feature " + std::to_string(i) + " ]";
}

// One session holding the working lines and a header list with a row per
// block, built once for all benchmarks.
Session& Shared() {
    static Session session = [] {
        Session s;
        std::string bytes;
        for (std::size_t i = 0; i < kBlocks; ++i) {
            bytes += HeaderFor(i) + "\n";
            for (int k = 0; k < 8; ++k)
                bytes += "00" + std::to_string(k) + "Setting=" + std::to_string(i * 8 + k) + "\n";
            bytes += "\n";
        }
        s.source.bytes = std::make_shared<const std::string>(std::move(bytes));
        Lines& lines = s.source.workingLines;
        lines = quillset::platform::SplitLines(*s.source.bytes);
        lines.emplace_back();
        s.selection.keywords.selected = {"Feature"};
        for (std::size_t i = 0; i < kBlocks; ++i)
            s.selection.headerList.rows.push_back({lines[i * kLinesPerBlock], static_cast<std::uint32_t>(i + 1),
                                                   static_cast<std::uint32_t>(i * kLinesPerBlock)});
        return s;
    }();
    return session;
}

void Collect(benchmark::State& state, bool sortedDescending) {
    Session& session = Shared();
    session.selection.headerList.sorted = sortedDescending;
    session.selection.headerList.sortColumn = 0;
    session.selection.headerList.ascending = !sortedDescending;
    quillset::bench::SilentHost host;
    for (auto _ : state) {
        state.PauseTiming();
        session.output = OutputLines();
        state.ResumeTiming();
        quillset::exports::CollectListedBlocks(session.source, session.selection, session.output, host);
        benchmark::DoNotOptimize(session.output.Count());
    }
    state.counters["lines"] = static_cast<double>(session.output.Count());
    state.counters["blocks"] = static_cast<double>(session.selection.selectedHeaders.size() - 1);
}

void BM_CollectListedBlocks_ListOrder(benchmark::State& state) { Collect(state, false); }
void BM_CollectListedBlocks_HeaderDescending(benchmark::State& state) { Collect(state, true); }

// The share of the descending run that is the header list's own sort.
void BM_DisplayOrder_HeaderDescending(benchmark::State& state) {
    Session& session = Shared();
    session.selection.headerList.sorted = true;
    session.selection.headerList.sortColumn = 0;
    session.selection.headerList.ascending = false;
    for (auto _ : state) benchmark::DoNotOptimize(session.selection.headerList.DisplayOrder());
}

// The floor: every line looked at once and appended once.
void BM_PlainPass(benchmark::State& state) {
    const Lines& lines = Shared().source.workingLines;
    for (auto _ : state) {
        state.PauseTiming();
        OutputLines output;
        state.ResumeTiming();
        std::size_t headers = 0;
        for (const auto& line : lines) {
            headers += quillset::model::IsHeaderLine(line);
            output.Append(std::string(line));
        }
        benchmark::DoNotOptimize(headers);
        benchmark::DoNotOptimize(output.Count());
    }
}

// Without an index each row searches the lines from the top: measured for
// state.range(0) rows spread evenly over the file, so the per-row figure
// scales to the full list.
void BM_ScanPerRow(benchmark::State& state) {
    const Lines& lines = Shared().source.workingLines;
    const auto rows = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        OutputLines output;
        for (std::size_t r = 0; r < rows; ++r) {
            const std::string header = HeaderFor(r * (kBlocks / rows));
            std::size_t i = 0;
            while (i < lines.size() && !(quillset::model::IsHeaderLine(lines[i]) && lines[i] == header))
                ++i;
            if (i == lines.size()) continue;
            output.Append(std::string(lines[i]));
            for (++i; i < lines.size() && !quillset::model::IsHeaderLine(lines[i]); ++i)
                output.Append(std::string(lines[i]));
        }
        benchmark::DoNotOptimize(output.Count());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_CollectListedBlocks_ListOrder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectListedBlocks_HeaderDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayOrder_HeaderDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanPerRow)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
