// keywords FILE: the Available Keywords, one a line, in the list's order.

#include <memory>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "model/source_model.h"
#include "app/session.h"

namespace quillset::batch {

namespace {

struct KeywordOptions {
    std::string file;
    std::optional<std::string> categories;
    BatchHost::Answers answers;
    std::string out;
};

int RunKeywords(BatchContext& context, const KeywordOptions& options) {
    context.host.SetAnswers(options.answers);
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    const model::CategoryChoice categories = CategoriesFor(options.file, options.categories);
    std::string text;
    const auto write = [&](const model::Lines& keywords) {
        for (const std::string_view keyword : keywords) text.append(keyword).push_back('\n');
        return output.Write(text) ? kSuccess : kFailed;
    };
    // A spreadsheet or TAB source is converted first; an INI file needs
    // nothing but its header lines.
    if (model::SourceKindOf(options.file) == model::SourceKind::Ini) {
        const auto list = model::ScanKeywords(context.host, options.file, categories);
        return list ? write(list->keywords) : kFailed;
    }
    Session session;
    if (!LoadSource(session, context.host, options.file, categories) || context.host.Stopped()) return kFailed;
    return write(session.selection.keywords.available);
}

}  // namespace

void AddKeywordCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<KeywordOptions>();
    CLI::App* keywords = app.add_subcommand("keywords", "the distinct keywords of FILE, one a line");
    keywords->add_option("FILE", options->file, "preference file")->required()->type_name("");
    AddCategoriesOption(*keywords, options->categories);
    AddAnswerOptions(*keywords, options->answers);
    AddOutputOption(*keywords, options->out);
    keywords->callback(
        [&context, options] { context.action = [&context, options] { return RunKeywords(context, *options); }; });
}

}  // namespace quillset::batch
