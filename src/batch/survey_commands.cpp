// survey STANDARD VARIANT... SELECTION: every variant compared with the
// standard's selected blocks, gathered into one matrix, as a TAB-separated
// table, JSON or a self-contained HTML report.

#include <nlohmann/json.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "batch/commands.h"
#include "compare/survey.h"
#include "compare/survey_report.h"
#include "platform/progress.h"
#include "selection/keywords.h"

namespace quillset::batch {

namespace {

struct SurveyOptions {
    std::string standard;
    std::vector<std::string> variants;
    std::optional<std::string> categories;
    SelectionOptions selection;
    std::string format = "table";
    std::string out;
};

// A cell of the text table: TABs, line ends and other control characters
// written as escapes, so each row keeps its columns.
std::string Cell(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    out += "\\x";
                    out += kHex[b >> 4];
                    out += kHex[b & 15];
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string CategoryWords(const model::CategoryChoice& c) {
    std::string words;
    for (const auto& [on, word] : {std::pair{c.feature, "feature"}, std::pair{c.symbol, "symbol"},
                                   std::pair{c.filters, "filter"}, std::pair{c.preferences, "preference"}})
        if (on) words += (words.empty() ? "" : ",") + std::string(word);
    return words;
}

std::string SelectionWords(const SelectionOptions& s) {
    if (s.all) return "all keywords";
    if (s.grepGiven) return "keywords containing \"" + s.grep + "\"";
    std::string words = "keywords";
    for (std::size_t i = 0; i < s.keywords.size(); ++i) words += (i ? ", " : " ") + s.keywords[i];
    return words;
}

std::string_view KindWord(compare::KeyDifference::Kind kind) {
    switch (kind) {
        case compare::KeyDifference::Kind::Changed: return "changed";
        case compare::KeyDifference::Kind::ControlOnly: return "control only";
        case compare::KeyDifference::Kind::TestOnly: return "test only";
    }
    return {};
}

std::string Table(const compare::Survey& survey) {
    std::string out = "Header\tLine #";
    for (const compare::SurveyVariant& v : survey.variants) out += "\t" + Cell(v.path);
    out += "\n";
    std::string differences;
    for (const compare::SurveyRow& row : survey.rows) {
        out += Cell(row.header) + "\t" + (row.standardLine ? std::to_string(row.standardLine) : std::string());
        for (std::size_t v = 0; v < row.cells.size(); ++v) {
            out += "\t";
            const auto& cell = row.cells[v];
            if (!cell) continue;
            out += compare::StatusText(cell->status);
            if (cell->more) out += " (+" + std::to_string(cell->more) + ")";
            for (const compare::KeyDifference& d : cell->differences) {
                differences += Cell(survey.variants[v].path) + "\t" + Cell(row.header) + "\t" +
                               std::string(KindWord(d.kind)) + "\t" + Cell(d.key) + "\t" + Cell(d.control) + "\t" +
                               Cell(d.test) + "\n";
            }
        }
        out += "\n";
    }
    const auto counts = [&](const char* caption, auto field) {
        out += caption;
        for (const compare::SurveyVariant& v : survey.variants)
            out += "\t" + (v.surveyed ? std::to_string(v.counts.*field) : std::string("unreadable"));
        out += "\n";
    };
    out += "\n";
    counts("Control Only's:", &compare::CompareCounts::controlOnly);
    counts("Test Only's:", &compare::CompareCounts::testOnly);
    counts("Differents:", &compare::CompareCounts::different);
    counts("Identicals:", &compare::CompareCounts::identical);
    if (!differences.empty()) out += "\nVariant\tHeader\tDifference\tKey\tControl\tTest\n" + differences;
    return out;
}

// The value of a setting line: what follows its first "=".
std::string ValueOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    return eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
}

std::string Json(const compare::Survey& survey, const compare::SurveyHeading& heading) {
    using compare::Latin1ToUtf8;
    using Json = nlohmann::ordered_json;
    Json variants = Json::array();
    for (const compare::SurveyVariant& v : survey.variants) {
        Json j = {{"file", compare::NameToUtf8(v.path)}, {"surveyed", v.surveyed}};
        if (v.surveyed) {
            j["controlOnly"] = v.counts.controlOnly;
            j["testOnly"] = v.counts.testOnly;
            j["different"] = v.counts.different;
            j["identical"] = v.counts.identical;
        }
        variants.push_back(std::move(j));
    }
    Json rows = Json::array();
    for (const compare::SurveyRow& row : survey.rows) {
        Json cells = Json::array();
        for (const auto& cell : row.cells) {
            if (!cell) {
                cells.push_back(nullptr);
                continue;
            }
            Json c = {{"status", std::string(compare::StatusText(cell->status))}};
            if (cell->testLine) c["line"] = cell->testLine;
            if (cell->more) c["more"] = cell->more;
            if (cell->status == compare::Status::Different) {
                Json diffs = Json::array();
                for (const compare::KeyDifference& d : cell->differences) {
                    Json x = {{"kind", std::string(KindWord(d.kind))}, {"key", Latin1ToUtf8(d.key)}};
                    switch (d.kind) {
                        case compare::KeyDifference::Kind::Changed:
                            x["control"] = Latin1ToUtf8(d.control);
                            x["test"] = Latin1ToUtf8(d.test);
                            break;
                        case compare::KeyDifference::Kind::ControlOnly:
                            x["control"] = Latin1ToUtf8(ValueOf(d.control));
                            x["controlLine"] = Latin1ToUtf8(d.control);
                            break;
                        case compare::KeyDifference::Kind::TestOnly:
                            x["test"] = Latin1ToUtf8(ValueOf(d.test));
                            x["testLine"] = Latin1ToUtf8(d.test);
                            break;
                    }
                    diffs.push_back(std::move(x));
                }
                c["differences"] = std::move(diffs);
            }
            cells.push_back(std::move(c));
        }
        Json r = {{"header", Latin1ToUtf8(row.header)}, {"inStandard", row.inStandard}};
        if (row.standardLine) r["line"] = row.standardLine;
        r["cells"] = std::move(cells);
        rows.push_back(std::move(r));
    }
    const Json all = {{"standard", compare::NameToUtf8(heading.standard)},
                      {"categories", heading.categories},
                      {"selection", heading.selection},
                      {"variants", std::move(variants)},
                      {"rows", std::move(rows)}};
    return all.dump(2) + "\n";
}

int RunSurvey(BatchContext& context, const SurveyOptions& options) {
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    Session session;
    const model::CategoryChoice categories = CategoriesFor(options.standard, options.categories);
    if (!LoadSource(session, context.host, options.standard, categories)) return kFailed;
    if (!Select(session, context, options.standard, categories, options.selection, false, false)) return kFailed;
    const model::Lines selected = selection::SelectedHeadersOf(session.selection, session.source, context.host,
                                                               session.source.workingLines);
    compare::Survey survey;
    {
        ProgressMeter meter(context.host, "Surveying " + std::to_string(options.variants.size()) + " variants",
                            options.variants.size());
        survey = compare::RunSurvey(session.source, selected, options.standard, options.variants, context.host,
                                    &meter);
    }
    const compare::SurveyHeading heading{options.standard, CategoryWords(categories), SelectionWords(options.selection)};
    const std::string bytes = options.format == "json"   ? Json(survey, heading)
                              : options.format == "html" ? compare::SurveyHtml(survey, heading)
                                                         : Table(survey);
    if (!output.Write(bytes)) return kFailed;
    for (const compare::SurveyVariant& v : survey.variants)
        if (!v.surveyed) return kFailed;
    return kSuccess;
}

}  // namespace

void AddSurveyCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<SurveyOptions>();
    CLI::App* survey = app.add_subcommand(
        "survey", "one standard against many variants: a row per block, a column per variant, each cell its status");
    survey->add_option("STANDARD", options->standard, "the standard (control) preference file")
        ->required()
        ->type_name("");
    survey->add_option("VARIANT", options->variants, "the variants (test files)")->required()->type_name("");
    AddSelectionOptions(*survey, options->selection);
    AddCategoriesOption(*survey, options->categories);
    survey->add_option("--format", options->format, "table (TAB-separated, the default), json or html")
        ->check(CLI::IsMember({"table", "json", "html"}));
    AddOutputOption(*survey, options->out);
    survey->callback([&context, options] {
        RequireSelection(options->selection);
        context.action = [&context, options] { return RunSurvey(context, *options); };
    });
}

}  // namespace quillset::batch
