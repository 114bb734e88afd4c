#pragma once
// What every quillset-batch command shares: the host, the options that
// several commands take (-o, --strict/--yes, --categories, the SELECTION),
// the output writer, and the steps that turn a FILE and a SELECTION into a
// processed session through the core. Commands read their inputs, call these
// and the core, and write what the core returns; no preference-file rule
// lives in the batch tool.

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_host.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "selection/keywords.h"

namespace quillset {
struct Session;
}

namespace quillset::batch {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

struct BatchContext {
    BatchHost host;
    // Set by the callback of the command that was parsed; main runs it.
    std::function<int()> action;
};

// Standard output, or a new file named by -o that is never overwritten.
class Output {
public:
    Output(Host& host, std::string path) : host_(host), path_(std::move(path)) {}
    // Called before anything is read: false, after naming the file, when OUT
    // already exists.
    bool Claim();
    // Writes everything at once; a file only appears when complete.
    bool Write(const std::string& bytes);
    bool Write(const platform::ByteSource& bytes);

private:
    Host& host_;
    std::string path_;
};

// Writes each of `bytes` to the new file of the same index in `paths`, all
// or none: false, after naming the file that failed, with nothing written.
bool WriteAllOrNothing(Host& host, const std::vector<std::string>& paths,
                       const std::vector<platform::ByteSource>& bytes);

// -o OUT; an empty OUT is a usage error, not standard output.
CLI::Option* AddOutputOption(CLI::App& command, std::string& path);
// --strict and --yes.
void AddAnswerOptions(CLI::App& command, BatchHost::Answers& answers);
// --categories LIST; `list` stays unset without the option.
void AddCategoriesOption(CLI::App& command, std::optional<std::string>& list);

// --keyword K (repeatable), --grep TEXT, --all: exactly one of them.
struct SelectionOptions {
    std::vector<std::string> keywords;
    std::string grep;
    bool grepGiven = false;
    bool all = false;
};
void AddSelectionOptions(CLI::App& command, SelectionOptions& options);
// Throws CLI::RequiredError unless exactly one kind of selection was given;
// call it from the command's callback.
void RequireSelection(const SelectionOptions& options);

// The categories named by LIST ("feature,symbol,filter,preference" in any
// order and number), or the check boxes the window presets for the file's
// kind when no LIST was given.
model::CategoryChoice CategoriesFor(const std::string& file, const std::optional<std::string>& list);

// "Process Source Ini" on `file` with `categories`, a spreadsheet or TAB
// source converted in memory. False after a message.
bool LoadSource(Session& session, Host& host, const std::string& file,
                const model::CategoryChoice& categories);

// Chooses the Selected Keywords as the window's commands would and builds the
// header list. Unknown keywords are named on standard error; with --strict
// they fail the command. False after a message when nothing is selected.
// `headerList`: whether the header list's rows are wanted (the INI export
// writes in their order; the comparison needs the selected headers alone).
bool Select(Session& session, BatchContext& context, const std::string& file,
            const model::CategoryChoice& categories, const SelectionOptions& options, bool strict,
            bool headerList = true);

// The options of a command that writes what it makes of the selected blocks
// of one source.
struct SelectedSourceOptions {
    std::string file;
    std::optional<std::string> categories;
    SelectionOptions selection;
    BatchHost::Answers answers;
    std::string out;
};
using SelectedBytes = std::function<std::optional<platform::ByteSource>(Session&, Host&)>;

// Claims the output, loads the source, selects, and writes what `bytesOf`
// returns; nothing is written when it returns nullopt. The exit status.
int RunOnSelection(BatchContext& context, const SelectedSourceOptions& options,
                   const SelectedBytes& bytesOf);

}  // namespace quillset::batch
