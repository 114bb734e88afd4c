// survey STANDARD VARIANT... SELECTION: every variant compared with the
// standard's selected blocks, gathered into one matrix, as a TAB-separated
// table, JSON or a self-contained HTML report.

#include <nlohmann/json.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/compare_commands.h"
#include "app/session.h"
#include "batch/commands.h"
#include "batch/report_format.h"
#include "compare/survey.h"
#include "compare/survey_report.h"

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

std::string Table(const compare::Survey& survey) {
    std::string out = "Header\tLine #";
    for (const compare::SurveyVariant& v : survey.variants) out += "\t" + TableCell(v.path);
    out += "\n";
    std::string differences;
    for (const compare::SurveyRow& row : survey.rows) {
        out += TableCell(row.header) + "\t" + (row.standardLine ? std::to_string(row.standardLine) : std::string());
        for (std::size_t v = 0; v < row.cells.size(); ++v) {
            out += "\t";
            const auto& cell = row.cells[v];
            if (!cell) continue;
            out += compare::StatusText(cell->status);
            if (cell->more) out += " (+" + std::to_string(cell->more) + ")";
            for (const compare::KeyDifference& d : cell->differences) {
                differences += TableCell(survey.variants[v].path) + "\t" + TableCell(row.header) + "\t" +
                               std::string(compare::KindWord(d.kind)) + "\t" + TableCell(d.key) + "\t" + TableCell(d.control) + "\t" +
                               TableCell(d.test) + "\n";
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
                for (const compare::KeyDifference& d : cell->differences) diffs.push_back(DifferenceJson(d));
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
    const std::optional<compare::Survey> surveyed =
        app::SurveyVariants(session, context.host, options.standard, options.variants);
    if (!surveyed) return kFailed;
    const compare::Survey& survey = *surveyed;
    const compare::SurveyHeading heading{options.standard, model::CategoryWords(categories), SelectionWords(options.selection)};
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
