#include "batch/batch_context.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "app/session.h"
#include "app/source_commands.h"
#include "model/output_lines.h"
#include "platform/text_file.h"

namespace quillset::batch {

namespace {

constexpr std::string_view kCategoryWords = "feature,symbol,filter,preference";

// Fills `choice` from LIST; false, naming the word, when a word is unknown.
bool ParseCategories(const std::string& list, model::CategoryChoice& choice, std::string* bad) {
    choice = {false, false, false, false};
    std::stringstream words(list);
    std::string word;
    while (std::getline(words, word, ',')) {
        if (word == "feature") choice.feature = true;
        else if (word == "symbol") choice.symbol = true;
        else if (word == "filter") choice.filters = true;
        else if (word == "preference") choice.preferences = true;
        else {
            *bad = word;
            return false;
        }
    }
    return true;
}

}  // namespace

bool Output::Claim() {
    if (path_.empty() || !platform::PathTaken(path_)) return true;
    host_.Inform(model::AlreadyExistsMessage(path_));
    return false;
}

bool Output::Write(const std::string& bytes) {
    return Write([&bytes](const platform::ByteSink& put) { put(bytes); });
}

bool Output::Write(const platform::ByteSource& bytes) {
    if (!path_.empty()) {
        const platform::Status saved = platform::WriteNewFile(path_, bytes);
        if (!saved) host_.Inform("Unable to save " + path_ + " (" + saved.error + ").");
        return saved.ok;
    }
    errno = 0;
    bool written = true;
    bytes([&](std::string_view piece) {
        written = written && std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
    });
    written = written && std::fflush(stdout) == 0;
    if (!written) host_.Inform(std::string("Unable to write to standard output (") + std::strerror(errno) + ").");
    return written;
}

bool WriteAllOrNothing(Host& host, const std::vector<std::string>& paths,
                       const std::vector<platform::ByteSource>& bytes) {
    std::vector<platform::NewFile> files;
    for (std::size_t i = 0; i < paths.size(); ++i) files.emplace_back(paths[i], bytes[i]);
    const platform::NewFilesStatus saved = platform::WriteNewFiles(files);
    if (saved) return true;
    host.Inform("Unable to save " + paths[saved.failed] + " (" + saved.error + ")." +
                (paths.size() > 1 ? " None of the results was written." : ""));
    return false;
}

CLI::Option* AddOutputOption(CLI::App& command, std::string& path) {
    return command
        .add_option("-o,--output", path, "write to the new file OUT instead of standard output; "
                                         "an existing OUT is never replaced")
        ->type_name("OUT")
        ->check(CLI::Validator(
            [](const std::string& value) { return value.empty() ? std::string("OUT is an empty name") : std::string(); },
            ""));
}

void AddAnswerOptions(CLI::App& command, BatchHost::Answers& answers) {
    command.add_flag("--yes", answers.yes, "never ask: take the answer that keeps the data");
    command.add_flag("--strict", answers.strict,
                     "fail on any question (and an unknown --keyword) instead of going on");
}

void AddCategoriesOption(CLI::App& command, std::optional<std::string>& list) {
    command
        .add_option_function<std::string>(
            "--categories", [&list](const std::string& value) { list = value; },
            "comma list of feature,symbol,filter,preference (default: what the window ticks for "
            "the file's kind)")
        ->type_name("LIST")
        ->check(CLI::Validator(
            [](std::string& value) {
                model::CategoryChoice choice;
                std::string bad;
                if (ParseCategories(value, choice, &bad)) return std::string();
                return "unknown category \"" + bad + "\"; use " + std::string(kCategoryWords);
            },
            ""));
}

void AddSelectionOptions(CLI::App& command, SelectionOptions& options) {
    command.add_option("--keyword", options.keywords, "select the keyword K (repeatable)")
        ->type_name("K")
        ->allow_extra_args(false);
    command.add_option_function<std::string>(
               "--grep",
               [&options](const std::string& text) {
                   options.grep = text;
                   options.grepGiven = true;
               },
               "select the keywords containing TEXT, as \"Add-----^\" does")
        ->type_name("TEXT");
    command.add_flag("--all", options.all, "select every keyword, as \"Add All -->>\" does");
}

void RequireSelection(const SelectionOptions& options) {
    const int kinds = (options.keywords.empty() ? 0 : 1) + (options.grepGiven ? 1 : 0) + (options.all ? 1 : 0);
    if (kinds != 1)
        throw CLI::ValidationError("SELECTION", "give exactly one of --keyword K (repeatable), --grep TEXT or --all");
}

model::CategoryChoice CategoriesFor(const std::string& file, const std::optional<std::string>& list) {
    if (!list) return model::PresetFor(model::SourceKindOf(file));
    model::CategoryChoice choice;
    std::string bad;
    ParseCategories(*list, choice, &bad);  // validated while parsing the command line
    return choice;
}

bool LoadSource(Session& session, Host& host, const std::string& file,
                const model::CategoryChoice& categories) {
    return app::ProcessSourceInMemory(session, host, file, model::SourceKindOf(file), categories);
}

bool Select(Session& session, BatchContext& context, const std::string& file,
            const model::CategoryChoice& categories, const SelectionOptions& options, bool strict,
            bool headerList) {
    selection::SelectionRequest request;
    if (options.all) {
        request.mode = selection::SelectionRequest::Mode::All;
    } else if (options.grepGiven) {
        request.mode = selection::SelectionRequest::Mode::Grep;
        request.grepText = options.grep;
    } else {
        request.keywords = options.keywords;
    }
    const std::vector<std::string> unknown = selection::UnknownKeywords(session.selection.keywords, request.keywords);
    for (const auto& keyword : unknown) context.host.Inform("No keyword \"" + keyword + "\" in " + file + ".");
    if (strict && !unknown.empty()) {
        context.host.Inform("Stopped by --strict: a keyword was not found.");
        return false;
    }
    return selection::ChooseSelection(session.selection, session.source, context.host, {file, categories, headerList}, request);
}

int RunOnSelection(BatchContext& context, const SelectedSourceOptions& options,
                   const SelectedBytes& bytesOf) {
    context.host.SetAnswers(options.answers);
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    Session session;
    const model::CategoryChoice categories = CategoriesFor(options.file, options.categories);
    if (!LoadSource(session, context.host, options.file, categories)) return kFailed;
    if (!Select(session, context, options.file, categories, options.selection, options.answers.strict))
        return kFailed;
    const std::optional<platform::ByteSource> bytes = bytesOf(session, context.host);
    if (!bytes || context.host.Stopped()) return kFailed;
    return output.Write(*bytes) ? kSuccess : kFailed;
}

}  // namespace quillset::batch
