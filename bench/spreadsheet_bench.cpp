// The spreadsheet and TAB formats over 100,000 blocks: the CSV export and
// its import (whose row sort is the only n log n step), and the preferences
// table both ways. Each is run at a tenth of the size too, so the ratio
// shows whether the cost grows linearly.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_host.h"
#include "exports/csv_export.h"
#include "exports/tsv_export.h"
#include "model/conversion.h"

namespace {

using Lines = std::vector<std::string>;

// Half feature styles, half named symbologies with six settings each, in
// shuffled name order so the import sort has work to do.
Lines Blocks(std::size_t count) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = std::to_string((i * 7919) % count);
        if (i % 2 == 0) {
            lines.push_back("[ Feature Style - F" + name + " ]");
            lines.push_back("000SymbologyName=F" + name);
            lines.push_back("001Description=Feature " + name);
            lines.push_back("002DisplayAsLine=1");
            lines.push_back("011PlanarElevation=1.25");
        } else {
            lines.push_back("[ Named Symbology - S" + name + " ]");
            for (int k = 0; k < 6; ++k)
                lines.push_back("00" + std::to_string(k) + "PlanLineSymbology=LV-" + name + ",12,3,2,0,0,0,0,1.0,0,0");
        }
        lines.emplace_back();
    }
    return lines;
}

Lines Preferences(std::size_t count) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i) {
        lines.push_back("[ Preferences - P" + std::to_string(i) + " ]");
        for (std::size_t k = i % 3; k < 12; k += 2) lines.push_back("0" + std::to_string(10 + k) + "Key=" + std::to_string(i));
    }
    return lines;
}

std::vector<std::string_view> Views(const Lines& lines) { return {lines.begin(), lines.end()}; }

void BM_CsvExport(benchmark::State& state) {
    const Lines slots = Blocks(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(quillset::exports::CsvExportLines(slots).data());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CsvImport(benchmark::State& state) {
    const Lines csv = quillset::exports::CsvExportLines(Blocks(static_cast<std::size_t>(state.range(0))));
    const auto views = Views(csv);
    quillset::bench::SilentHost host;
    for (auto _ : state)
        benchmark::DoNotOptimize(quillset::model::ConvertSourceLines(views, quillset::model::SourceKind::Csv, host));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TsvExport(benchmark::State& state) {
    const Lines slots = Preferences(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(quillset::exports::TsvExportLines(slots).lines.data());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TsvImport(benchmark::State& state) {
    const Lines table = quillset::exports::TsvExportLines(Preferences(static_cast<std::size_t>(state.range(0)))).lines;
    const auto views = Views(table);
    quillset::bench::SilentHost host;
    for (auto _ : state)
        benchmark::DoNotOptimize(quillset::model::ConvertSourceLines(views, quillset::model::SourceKind::Tab, host));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_CsvExport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TsvExport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TsvImport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
