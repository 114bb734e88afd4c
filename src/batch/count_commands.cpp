// count FILE...: the twelve counts of each file as the window's count labels
// show them after "Process Source Ini" with all four categories ticked.

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/source_commands.h"
#include "batch/commands.h"

namespace quillset::batch {

namespace {

struct CountOptions {
    std::vector<std::string> files;
    bool json = false;
    BatchHost::Answers answers;
    std::string out;
};

struct Counted {
    std::string file;
    model::SourceCounts counts;
};

// The window's column captions over the definition and line counts.
struct Column {
    const char* caption;
    std::int64_t model::SourceCounts::*defs;
    std::int64_t model::SourceCounts::*lines;
    const char* defsName;
    const char* linesName;
};
const Column kColumns[] = {
    {"Feature Styles", &model::SourceCounts::featureDefs, &model::SourceCounts::featureLines, "featureDefs",
     "featureLines"},
    {"Named Symbol", &model::SourceCounts::symbolDefs, &model::SourceCounts::symbolLines, "symbolDefs",
     "symbolLines"},
    {"Feature Filters", &model::SourceCounts::filterDefs, &model::SourceCounts::filterLines, "filterDefs",
     "filterLines"},
    {"Preferences", &model::SourceCounts::prefDefs, &model::SourceCounts::prefLines, "prefDefs", "prefLines"},
    {"incl. Wys", &model::SourceCounts::wysDefs, &model::SourceCounts::wysLines, "wysDefs", "wysLines"},
    {"Total", &model::SourceCounts::allDefs, &model::SourceCounts::allLines, "allDefs", "allLines"},
};

std::string Pad(const std::string& text, std::size_t width, bool right) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

// Two heading rows, the captions over "#" and "lines", then a row per file;
// numbers right-aligned under their heading.
std::string Table(const std::vector<Counted>& rows) {
    std::size_t fileWidth = 4;
    for (const auto& row : rows) fileWidth = std::max(fileWidth, row.file.size());
    std::string top = Pad("File", fileWidth, false), sub = Pad("", fileWidth, false);
    std::vector<std::string> body;
    for (const auto& row : rows) body.push_back(Pad(row.file, fileWidth, false));
    for (const Column& column : kColumns) {
        std::size_t defs = 1, lines = 5;
        for (const auto& row : rows) {
            defs = std::max(defs, std::to_string(row.counts.*column.defs).size());
            lines = std::max(lines, std::to_string(row.counts.*column.lines).size());
        }
        const std::size_t caption = std::string(column.caption).size();
        if (defs + 1 + lines < caption) lines = caption - defs - 1;
        top += "  " + Pad(column.caption, defs + 1 + lines, false);
        sub += "  " + Pad("#", defs, true) + " " + Pad("lines", lines, true);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            body[i] += "  " + Pad(std::to_string(rows[i].counts.*column.defs), defs, true) + " " +
                       Pad(std::to_string(rows[i].counts.*column.lines), lines, true);
        }
    }
    std::string text;
    for (std::string* line : {&top, &sub}) body.insert(body.begin() + (line == &top ? 0 : 1), *line);
    for (auto& line : body) {
        line.erase(line.find_last_not_of(' ') + 1);  // no trailing blanks
        text += line + "\n";
    }
    return text;
}

std::string Json(const std::vector<Counted>& rows) {
    nlohmann::ordered_json all = nlohmann::ordered_json::array();
    for (const auto& row : rows) {
        nlohmann::ordered_json object;
        object["file"] = row.file;
        for (const Column& column : kColumns) {
            object[column.defsName] = row.counts.*column.defs;
            object[column.linesName] = row.counts.*column.lines;
        }
        all.push_back(std::move(object));
    }
    // Paths are bytes: what is not UTF-8 shows as U+FFFD rather than failing.
    return all.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

int RunCount(BatchContext& context, const CountOptions& options) {
    context.host.SetAnswers(options.answers);
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    std::vector<Counted> rows;
    bool failed = false;
    for (const auto& file : options.files) {
        const std::optional<model::SourceCounts> counts = app::CountSourceFile(context.host, file);
        if (!counts) {
            failed = true;  // named on standard error; the other files still count
            continue;
        }
        rows.push_back({file, *counts});
    }
    if (context.host.Stopped()) return kFailed;
    if (!output.Write(options.json ? Json(rows) : Table(rows))) return kFailed;
    return failed ? kFailed : kSuccess;
}

}  // namespace

void AddCountCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<CountOptions>();
    CLI::App* count = app.add_subcommand("count", "the twelve block and line counts of each FILE");
    count->add_option("FILE", options->files, "preference files to count")->required()->type_name("");
    count->add_flag("--json", options->json, "one JSON object per file, the counters by name");
    AddAnswerOptions(*count, options->answers);
    AddOutputOption(*count, options->out);
    count->callback([&context, options] { context.action = [&context, options] { return RunCount(context, *options); }; });
}

}  // namespace quillset::batch
