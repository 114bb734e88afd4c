// compare SOURCE TEST SELECTION: the comparison list and its counters.
// update SOURCE TEST... SELECTION: the updated copy of each test file, the
// bytes "Save As..." of the Results window writes after "Create Updated File".

#include "platform/system.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/compare_commands.h"
#include "app/session.h"
#include "batch/commands.h"
#include "batch/report_format.h"
#include "compare/survey_report.h"
#include "compare/compare.h"
#include "compare/update.h"
#include "model/output_lines.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset::batch {

namespace {

struct CompareOptions {
    std::string source;
    std::string test;
    std::optional<std::string> categories;
    SelectionOptions selection;
    bool json = false;
    bool keys = false;
};

struct UpdateOptions {
    std::string source;
    std::vector<std::string> tests;
    std::optional<std::string> categories;
    SelectionOptions selection;
    std::string reset;
    std::string append;
    std::string out;
    std::string outDir;
};

std::string LineKey(const compare::CompareRow& row) {
    return selection::OrderKey(static_cast<std::int64_t>(row.number));
}

// Loads the source, selects and compares; false after a message.
bool Compared(Session& session, BatchContext& context, const std::string& source, const std::string& test,
              const std::optional<std::string>& categoryList, const SelectionOptions& selection) {
    const model::CategoryChoice categories = CategoriesFor(source, categoryList);
    if (!LoadSource(session, context.host, source, categories)) return false;
    if (!Select(session, context, source, categories, selection, false, false)) return false;
    return app::RunComparison(session, context.host, source, test) == compare::CompareOutcome::Compared;
}

std::string CompareText(const Session& session, bool keys) {
    const compare::Comparison& cmp = session.comparison;
    std::string out = "Header\tHeader Location\tLine #\n";
    for (const compare::CompareRow& row : cmp.rows) {
        out.append(TableCell(row.header)).append("\t").append(compare::StatusText(row.status)).append("\t");
        out.append(LineKey(row)).append("\n");
        if (!keys || row.status != compare::Status::Different) continue;
        for (const auto& d : compare::RowDifferences(session.source, session.comparison, row))
            out += "\t" + std::string(compare::KindWord(d.kind)) + DifferenceCells(d) + "\n";
    }
    const compare::CompareCounts& c = cmp.counts;
    out += "\nControl Only's:\t" + std::to_string(c.controlOnly) + "\nTest Only's:\t" + std::to_string(c.testOnly) +
           "\nDifferents:\t" + std::to_string(c.different) + "\nIdenticals:\t" + std::to_string(c.identical) + "\n";
    return out;
}

std::string CompareJson(const Session& session, const CompareOptions& options) {
    using compare::Latin1ToUtf8;
    using Json = nlohmann::ordered_json;
    const compare::Comparison& cmp = session.comparison;
    Json rows = Json::array();
    for (const compare::CompareRow& row : cmp.rows) {
        Json r = {{"header", Latin1ToUtf8(row.header)},
                  {"location", std::string(compare::StatusText(row.status))},
                  {"line", row.number}};
        // The control block a test header was judged against: its own header,
        // or the longer one it was found in.
        if (row.status != compare::Status::TestOnly && row.controlLine < session.source.workingLines.size())
            r["controlHeader"] = Latin1ToUtf8(session.source.workingLines[row.controlLine]);
        if (options.keys && row.status == compare::Status::Different) {
            Json diffs = Json::array();
            for (const auto& d : compare::RowDifferences(session.source, session.comparison, row))
                diffs.push_back(DifferenceJson(d));
            r["differences"] = std::move(diffs);
        }
        rows.push_back(std::move(r));
    }
    const compare::CompareCounts& c = cmp.counts;
    const Json all = {{"source", compare::NameToUtf8(options.source)},
                      {"test", compare::NameToUtf8(options.test)},
                      {"categories", model::CategoryWords(CategoriesFor(options.source, options.categories))},
                      {"selection", SelectionWords(options.selection)},
                      {"rows", std::move(rows)},
                      {"controlOnly", c.controlOnly},
                      {"testOnly", c.testOnly},
                      {"different", c.different},
                      {"identical", c.identical}};
    return all.dump(2) + "\n";
}

int RunCompare(BatchContext& context, const CompareOptions& options) {
    Output output(context.host, "");
    Session session;
    if (!Compared(session, context, options.source, options.test, options.categories, options.selection))
        return kFailed;
    return output.Write(options.json ? CompareJson(session, options) : CompareText(session, options.keys))
               ? kSuccess
               : kFailed;
}

// The confirmation window on a terminal: the two blocks side by side, the
// differing rows marked, and its five buttons.
class TerminalPreviewer : public compare::BlockPreviewer {
public:
    explicit TerminalPreviewer(BatchHost& host) : host_(host) {}

    compare::Decision Decide(const compare::CompareRow&, const std::vector<compare::PairedLine>& lines) override {
        constexpr std::size_t kColumn = 38;
        auto cell = [&](std::string_view text) {
            std::string s(text.substr(0, kColumn));
            s.resize(kColumn, ' ');
            return s;
        };
        std::string text = "  " + cell("Clobbering uses THIS Definition") + " | Skipping uses THIS Definition\n";
        for (const compare::PairedLine& line : lines)
            text += std::string(line.differs ? "* " : "  ") + cell(line.control) + " | " + std::string(line.test) + "\n";
        std::fputs(text.c_str(), stderr);
        for (;;) {
            std::fputs("1 Clobber This, 2 Clobber the Rest, 3 Skip This, 4 Skip the Rest, 5 Close? ", stderr);
            std::fflush(stderr);
            int c = std::getchar();
            if (c == EOF) return compare::CloseDecision(host_);
            while (c == ' ' || c == '\t') c = std::getchar();
            int rest = c;
            while (rest != '\n' && rest != EOF) rest = std::getchar();
            switch (c) {
                case '1': return compare::Decision::ClobberThis;
                case '2': return compare::Decision::ClobberTheRest;
                case '3': return compare::Decision::SkipThis;
                case '4': return compare::Decision::SkipTheRest;
                case '5': return compare::CloseDecision(host_);
                default: break;
            }
        }
    }

private:
    BatchHost& host_;
};

int RunUpdate(BatchContext& context, const UpdateOptions& options) {
    const compare::ResetMode mode = options.reset == "all"    ? compare::ResetMode::ResetAll
                                    : options.reset == "none" ? compare::ResetMode::ResetNone
                                                              : compare::ResetMode::Preview;
    // Every target is claimed before anything is read or written.
    std::vector<std::string> targets;
    for (const std::string& test : options.tests) {
        if (!options.outDir.empty())
            targets.push_back(platform::NameOf(platform::FsPath(options.outDir) / platform::FsPath(test).filename()));
        else
            targets.push_back(options.out);
    }
    for (const std::string& target : targets) {
        if (!Output(context.host, target).Claim()) return kFailed;
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (platform::SameName(targets[i], targets[j])) {
                context.host.Inform("Two test files would both be written to " + targets[i] + ".");
                return kFailed;
            }
        }
    }
    Session session;
    const model::CategoryChoice categories = CategoriesFor(options.source, options.categories);
    if (!LoadSource(session, context.host, options.source, categories)) return kFailed;
    if (!Select(session, context, options.source, categories, options.selection, false, false)) return kFailed;
    // All results are made first, so a failure leaves no partial set behind.
    // Each result is held as its output lines, views into the files they
    // come from, and rendered only as it is written.
    std::vector<model::OutputLines> results;
    TerminalPreviewer previewer(context.host);
    for (const std::string& test : options.tests) {
        if (app::RunComparison(session, context.host, options.source, test) != compare::CompareOutcome::Compared)
            return kFailed;
        session.output = {};
        app::RunUpdate(session, mode, options.append == "all", previewer, &context.host);
        results.push_back(std::move(session.output));
    }
    std::vector<platform::ByteSource> bytes;
    for (const model::OutputLines& result : results) bytes.push_back(model::RenderedOutput(result));
    if (targets.front().empty()) return Output(context.host, "").Write(bytes.front()) ? kSuccess : kFailed;
    return WriteAllOrNothing(context.host, targets, bytes) ? kSuccess : kFailed;
}

}  // namespace

void AddCompareCommands(CLI::App& app, BatchContext& context) {
    auto cmp = std::make_shared<CompareOptions>();
    CLI::App* compare = app.add_subcommand(
        "compare", "the selected source blocks against a test file: each block's status and the four counts");
    compare->add_option("SOURCE", cmp->source, "source (control) preference file")->required()->type_name("");
    compare->add_option("TEST", cmp->test, "test preference file")->required()->type_name("");
    AddSelectionOptions(*compare, cmp->selection);
    AddCategoriesOption(*compare, cmp->categories);
    compare->add_flag("--json", cmp->json, "JSON instead of a TAB-separated table");
    compare->add_flag("--keys", cmp->keys, "under each \"Both: Different\" row, the settings that differ by key");
    compare->callback([&context, cmp] {
        RequireSelection(cmp->selection);
        context.action = [&context, cmp] { return RunCompare(context, *cmp); };
    });

    auto upd = std::make_shared<UpdateOptions>();
    CLI::App* update = app.add_subcommand(
        "update", "each test file with its different blocks reset to the source's and the missing ones appended");
    update->add_option("SOURCE", upd->source, "source (control) preference file")->required()->type_name("");
    update->add_option("TEST", upd->tests, "test preference files")->required()->type_name("");
    AddSelectionOptions(*update, upd->selection);
    AddCategoriesOption(*update, upd->categories);
    update->add_option("--reset", upd->reset, "different blocks: all (source's), none (test's) or ask for each")
        ->required()
        ->check(CLI::IsMember({"all", "none", "ask"}));
    update->add_option("--append", upd->append, "blocks only the source has: all or none")
        ->required()
        ->check(CLI::IsMember({"all", "none"}));
    CLI::Option* out = AddOutputOption(*update, upd->out);
    update->add_option("--out-dir", upd->outDir, "write each result under its test file's name into DIR")
        ->type_name("DIR")
        ->check(CLI::ExistingDirectory)
        ->excludes(out);
    update->callback([&context, upd] {
        RequireSelection(upd->selection);
        if (upd->tests.size() > 1 && upd->outDir.empty())
            throw CLI::ValidationError("TEST", "several test files need --out-dir DIR");
        if (upd->reset == "ask" && !platform::IsTerminal(stdin))
            throw CLI::ValidationError("--reset", "ask needs a terminal to answer on");
        context.action = [&context, upd] { return RunUpdate(context, *upd); };
    });
}

}  // namespace quillset::batch
