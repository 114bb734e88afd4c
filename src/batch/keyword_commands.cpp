// keywords FILE: the Available Keywords, one a line, in the list's order.

#include <memory>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "session.h"

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
    Session session;
    if (!LoadSource(session, context.host, options.file, CategoriesFor(options.file, options.categories)) ||
        context.host.Stopped())
        return kFailed;
    std::string text;
    for (const auto& keyword : session.keywords.available) {
        text += keyword;
        text += '\n';
    }
    return output.Write(text) ? kSuccess : kFailed;
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
