// Peak resident memory of the two heaviest commands, one measurement per
// process so each peak stands alone (driven by bench/memory.sh):
//
//   quillset_peak_memory generate MB FILE [VARIANT]   a preference file of about MB
//                                                    megabytes; VARIANT 1 changes a
//                                                    setting in every third block
//   quillset_peak_memory analyse FILE                 "Process Source Ini", all categories
//   quillset_peak_memory compare SOURCE TEST          Process, Add All and the comparison
//   quillset_peak_memory update SOURCE TEST           ... then the updated file built
//
// Each measurement prints the peak RSS (getrusage) and its ratio to the input size.

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_host.h"
#include "compare/compare.h"
#include "compare/update.h"
#include "model/source_model.h"
#include "selection/keywords.h"
#include "app/session.h"
#include "app/compare_commands.h"
#include "app/source_commands.h"

namespace {

using namespace quillset;

struct ResetAll : compare::BlockPreviewer {
    compare::Decision Decide(const compare::CompareRow&, const std::vector<compare::PairedLine>&) override {
        return compare::Decision::ClobberThis;
    }
};

// Written block by block, so the generator itself stays small.
int Generate(std::size_t megabytes, const std::string& path, int variant) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 1;
    const std::size_t target = megabytes * 1'000'000;
    std::size_t written = 0;
    std::string block;
    for (std::size_t i = 0; written < target; ++i) {
        const std::string name = "Item " + std::to_string(i);
        const char* weight = variant == 1 && i % 3 == 0 ? "4" : "2";
        block = "[ Feature Style - " + name + " ]\r\n000SymbologyName=" + name + "\r\n001Description=" + name +
                " (survey)\r\n002DisplayAsLine=1\r\n003DisplayAsPoint=0\r\n004Annotate=0\r\n\r\n";
        block += "[ Named Symbology - " + name + " ]\r\n000DefaultLineSymbology=" + name + ",12,3," + weight +
                 ",0,0\r\n000PlanTextSymbology=" + name + ",12,3,0,Arial,1.0,0.8,1,0,0,0\r\n\r\n";
        if (i % 50 == 0)
            block += "[ Preferences - Set " + std::to_string(i) + " ]\r\n000Setting=" + std::to_string(i) +
                     "\r\n001Units=m\r\n\r\n";
        written += std::fwrite(block.data(), 1, block.size(), f);
    }
    return std::fclose(f) == 0 ? 0 : 1;
}

void Report(const char* what, double inputBytes) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) * 1024.0;  // kB on Linux
    std::printf("%-8s input %7.1f MB  peak RSS %7.1f MB  ratio %.2f\n", what, inputBytes / 1e6, peak / 1e6,
                peak / inputBytes);
}

bool Process(Session& s, Host& host, const std::string& path) {
    bench::NoSettings settings;
    return app::ProcessSource(s, host, settings, path, model::SourceKind::Ini, {});
}

int Analyse(const std::string& path) {
    Session s;
    bench::SilentHost host(true);
    if (!Process(s, host, path)) return 1;
    Report("analyse", static_cast<double>(std::filesystem::file_size(path)));
    return 0;
}

int Compare(const std::string& source, const std::string& test, bool update) {
    Session s;
    bench::SilentHost host(true);
    if (!Process(s, host, source)) return 1;
    selection::AddAll(s.selection, s.source, host, {source, {}});
    if (app::RunComparison(s, host, source, test) != compare::CompareOutcome::Compared) return 1;
    ResetAll previewer;
    if (update) app::RunUpdate(s, compare::ResetMode::ResetAll, true, previewer);
    Report(update ? "update" : "compare", static_cast<double>(std::filesystem::file_size(source) + std::filesystem::file_size(test)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if ((args.size() == 3 || args.size() == 4) && args[0] == "generate")
        return Generate(std::stoul(args[1]), args[2], args.size() == 4 ? std::stoi(args[3]) : 0);
    if (args.size() == 2 && args[0] == "analyse") return Analyse(args[1]);
    if (args.size() == 3 && (args[0] == "compare" || args[0] == "update"))
        return Compare(args[1], args[2], args[0] == "update");
    std::fprintf(stderr, "usage: see the head of bench/peak_memory.cpp\n");
    return 2;
}
