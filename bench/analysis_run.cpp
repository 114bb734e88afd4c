// Process-level measurements of the source analysis, one per process so each
// peak resident size stands alone (driven by bench/memory.sh,
// bench/batch_bench.sh and bench/growth.sh):
//
//   quillset_analysis_run generate LINES FILE   a generated file of about LINES lines
//   quillset_analysis_run generate-mb MB FILE   ... of about MB megabytes
//   quillset_analysis_run rss MODE FILE         peak RSS after MODE, and its ratio to
//                                               the file's size; MODE is baseline,
//                                               process, addall, remove or swap (each
//                                               one step further than the one before)
//   quillset_analysis_run keywords FILE         "Process Source Ini", then the
//                                               distinct keywords on stdout
//   quillset_analysis_run time FILE [RUNS]      median CPU milliseconds (user and
//                                               system) of "Process Source Ini" over
//                                               RUNS runs (default 5): wall time means
//                                               little on a shared machine
//   quillset_analysis_run phases SOURCE TEST [RUNS]
//                                               median CPU milliseconds of each step
//                                               of comparing all of SOURCE with TEST,
//                                               and the peak RSS after it
//   quillset_analysis_run hostile SHAPE N DIR   DIR/control.ini and DIR/test.ini of a
//                                               crafted shape (bench/hostile.sh): one-block,
//                                               case-collisions, fixed-hash or long-header

#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_host.h"
#include "generated_source.h"
#include "compare/compare.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "selection/keywords.h"
#include "app/session.h"
#include "app/source_commands.h"

namespace {

using namespace quillset;

bool Process(Session& session, const std::string& path) {
    bench::SilentHost host(true);
    bench::NoSettings settings;
    return app::ProcessSource(session, host, settings, path, model::SourceKind::Ini, {});
}

int Generate(std::size_t lines, std::size_t bytes, const std::string& path) {
    if (!platform::WriteTextLines(path, bench::GeneratePreferenceFile(lines, bytes))) return 1;
    return 0;
}

int Rss(std::string_view mode, const std::string& path) {
    Session session;
    bench::SilentHost host(true);
    const selection::RefreshContext context{path, {}};
    const int step = mode == "baseline" ? 0 : mode == "process" ? 1 : mode == "addall" ? 2
                   : mode == "remove"   ? 3 : mode == "swap"    ? 4 : -1;
    if (step < 0) return 2;
    if (step >= 1 && !Process(session, path)) return 1;
    if (step >= 2) selection::AddAll(session.selection, session.source, host, context);
    if (step >= 3) selection::Remove(session.selection, session.source, host, context, {0});
    if (step >= 4) selection::Swap(session.selection, session.source, host, context);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) * 1024.0;  // kB on Linux
    const double size = static_cast<double>(std::filesystem::file_size(path));
    std::printf("%-8s peak RSS %8.1f MB  file %6.1f MB  ratio %.2f  (keywords %zu, header rows %zu)\n",
                std::string(mode).c_str(), peak / 1e6, size / 1e6, peak / size,
                session.selection.keywords.available.size() + session.selection.keywords.selected.size(),
                session.selection.headerList.rows.size());
    return 0;
}

int Keywords(const std::string& path) {
    Session session;
    if (!Process(session, path)) return 1;
    std::string out;
    for (const std::string_view keyword : session.selection.keywords.available) out.append(keyword).push_back('\n');
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

int Time(const std::string& path, int runs) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        Session session;
        const double start = CpuMs();
        if (!Process(session, path)) return 1;
        ms.push_back(CpuMs() - start);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%.1f\n", ms[ms.size() / 2]);
    return 0;
}

int Phases(const std::string& source, const std::string& test, int runs) {
    const char* names[] = {"process", "add all", "read test", "collect", "compare"};
    constexpr std::size_t kSteps = std::size(names);
    std::vector<double> ms[kSteps];
    double peaks[kSteps] = {};  // after the first run
    bench::SilentHost host(true);
    for (int r = 0; r < runs; ++r) {
        Session session;
        double at = CpuMs();
        const auto lap = [&](std::size_t step) {
            const double now = CpuMs();
            ms[step].push_back(now - at);
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            peaks[step] = static_cast<double>(usage.ru_maxrss) * 1024.0;
            at = now;
        };
        if (!Process(session, source)) return 1;
        lap(0);
        selection::AddAll(session.selection, session.source, host, {source, {}});
        lap(1);
        auto read = compare::ReadTestFile(host, test);
        if (!read) return 1;
        session.comparison.test = std::move(*read);
        lap(2);
        selection::CollectSelectedHeaders(session.selection, session.source, host, session.source.workingLines);
        lap(3);
        compare::CompareFiles(session.source, session.selection.selectedHeaders, session.comparison);
        lap(4);
    }
    for (std::size_t step = 0; step < kSteps; ++step) {
        std::sort(ms[step].begin(), ms[step].end());
        std::printf("%-10s %7.1f ms  peak RSS %6.1f MB\n", names[step], ms[step][ms[step].size() / 2],
                    peaks[step] / 1e6);
    }
    return 0;
}

// Crafted inputs that a naive comparison or hash table turns quadratic.
int Hostile(std::string_view shape, std::size_t n, const std::string& dir) {
    std::string control, test;
    const auto header = [](std::string_view name) { return "[ Level - " + std::string(name) + " ]\r\n"; };
    if (shape == "one-block") {
        // N test copies of the one control header, whose block is N lines.
        control = header("Big");
        for (std::size_t i = 0; i < n; ++i) control += "Key" + std::to_string(i) + "=1\r\n";
        for (std::size_t i = 0; i < n; ++i) test += header("Big") + "Key0=1\r\n";
    } else if (shape == "case-collisions") {
        // Names that differ only in bit 0x20 of bytes that are not letters
        // ('0' and 0x10): one text under a fold that sets that bit everywhere.
        for (std::size_t i = 0; i < n; ++i) {
            std::string name = "x";
            for (std::size_t bit = 0; bit < 20; ++bit) name += (i >> bit & 1) ? '0' : '\x10';
            control += header(name) + "A=1\r\n";
            test += header(name) + "A=2\r\n";
        }
    } else if (shape == "fixed-hash") {
        // 8-byte names whose hashes under the former fixed hash (one mixed
        // word of 0x9E37... ^ size) all share their low 32 bits, so every
        // name lands on one slot of a table of up to 2^32 slots.
        std::uint64_t inverse = 0xFF51AFD7ED558CCDull;  // Newton's iteration: an odd number's inverse mod 2^64
        for (int k = 0; k < 5; ++k) inverse *= 2 - 0xFF51AFD7ED558CCDull * inverse;
        for (std::uint64_t top = 1, made = 0; made < n; ++top) {
            std::uint64_t h = top << 32;
            h ^= h >> 29;
            h ^= h >> 58;  // undoes h ^= h >> 29
            h ^= h >> 32;
            const std::uint64_t word = (h * inverse) ^ (0x9E3779B97F4A7C15ull ^ 8);
            char name[8];
            std::memcpy(name, &word, 8);
            const auto bad = [](unsigned char c) { return c < 0x21 || c == '[' || c == ']' || c == 0x7F; };
            if (std::any_of(name, name + 8, [&](char c) { return bad(static_cast<unsigned char>(c)); })) continue;
            control += header(std::string_view(name, 8)) + "A=1\r\n";
            ++made;
        }
        test = control;
    } else if (shape == "long-header") {
        // One header line of N bytes, its keyword all of it.
        std::string name(n, 'a');
        for (std::size_t i = 0; i < n; ++i) name[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
        control = header(name) + "TextHeight=1.0\r\n";
        test = control;
    } else {
        return 2;
    }
    const auto write = [](const std::string& path, const std::string& bytes) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        return (f && std::fclose(f) == 0) && ok;
    };
    return write(dir + "/control.ini", control) && write(dir + "/test.ini", test) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "generate") return Generate(std::stoul(args[1]), 0, args[2]);
    if (args.size() == 3 && args[0] == "generate-mb")
        return Generate(0, std::stoul(args[1]) * 1'000'000, args[2]);
    if (args.size() == 3 && args[0] == "rss") return Rss(args[1], args[2]);
    if (args.size() == 2 && args[0] == "keywords") return Keywords(args[1]);
    if (args.size() >= 3 && args[0] == "phases")
        return Phases(args[1], args[2], args.size() > 3 ? std::stoi(args[3]) : 5);
    if (args.size() == 4 && args[0] == "hostile") return Hostile(args[1], std::stoul(args[2]), args[3]);
    if (args.size() >= 2 && args[0] == "time") return Time(args[1], args.size() > 2 ? std::stoi(args[2]) : 5);
    std::fprintf(stderr, "usage: see the head of bench/analysis_run.cpp\n");
    return 2;
}
