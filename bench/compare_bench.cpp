// Comparing two files of 200,000 blocks each, all selected, and the
// containment search alone: the automaton against the plain scan of every
// control header for every test header, which only a smaller size allows.

#include <benchmark/benchmark.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "compare/compare.h"
#include "compare/containment.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "app/session.h"
#include "app/compare_commands.h"

namespace {

using quillset::Session;

constexpr std::size_t kBlocks = 200'000;

std::string Header(std::size_t i) { return "[ Feature Style - Feature " + std::to_string(i) + " ]"; }

// Blocks of a header and five settings; the test file changes every tenth
// block and lacks every hundredth.
std::vector<std::string> Blocks(std::size_t n, bool test) {
    std::vector<std::string> lines;
    lines.reserve(n * 6);
    for (std::size_t i = 0; i < n; ++i) {
        if (test && i % 100 == 7) continue;
        lines.push_back(Header(i));
        for (int k = 0; k < 5; ++k)
            lines.push_back("00" + std::to_string(k) + "Setting=" + std::to_string(test && i % 10 == 3 ? k : i + k));
    }
    return lines;
}

std::vector<std::string_view> Views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

void BM_CompareFiles(benchmark::State& state) {
    Session s;
    quillset::model::LoadLines(s.source, quillset::platform::JoinLines(Blocks(kBlocks, false)));
    quillset::model::BuildWorkingLines(s.source, {});
    s.selection.keywords.selected = {"Feature"};
    const std::string path = "/tmp/quillset_compare_bench_test.ini";
    {
        std::ofstream out(path, std::ios::binary);
        for (const auto& line : Blocks(kBlocks, true)) out << line << "\r\n";
    }
    quillset::bench::SilentHost host;
    for (auto _ : state) {
        quillset::app::RunComparison(s, host, "source.ini", path);
        benchmark::DoNotOptimize(s.comparison.rows.data());
    }
    state.counters["rows"] = static_cast<double>(s.comparison.rows.size());
    std::remove(path.c_str());
}
BENCHMARK(BM_CompareFiles)->Unit(benchmark::kMillisecond);

template <bool Plain>
void BM_Containment(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> controls, tests;
    for (std::size_t i = 0; i < n; ++i) {
        controls.push_back(Header(i));
        tests.push_back(Header(i % 100 == 7 ? i + n : i));
    }
    const auto cv = Views(controls), tv = Views(tests);
    for (auto _ : state) {
        auto found = Plain ? quillset::compare::FindContainersPlain(cv, tv)
                           : quillset::compare::FindContainers(cv, tv);
        benchmark::DoNotOptimize(found.firstContainer.data());
    }
}
BENCHMARK_TEMPLATE(BM_Containment, false)->Arg(5'000)->Arg(kBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Containment, true)->Arg(5'000)->Unit(benchmark::kMillisecond);

}  // namespace
