// import FILE: the INI text that "Process Source Ini" converts a .csv or .txt
// export into, as its conversion file holds it.

#include <memory>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "model/conversion.h"

namespace quillset::batch {

namespace {

struct ImportOptions {
    std::string file;
    BatchHost::Answers answers;
    std::string out;
};

int RunImport(BatchContext& context, const ImportOptions& options) {
    context.host.SetAnswers(options.answers);
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    const std::optional<std::string> bytes = model::ConversionBytes(context.host, options.file);
    if (!bytes || context.host.Stopped()) return kFailed;
    return output.Write(*bytes) ? kSuccess : kFailed;
}

}  // namespace

void AddImportCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command =
        app.add_subcommand("import", "the INI text of a spreadsheet (.csv) or TAB-separated (.txt) export");
    command->add_option("FILE", options->file, "a .csv or .txt file")->required()->type_name("");
    AddAnswerOptions(*command, options->answers);
    AddOutputOption(*command, options->out);
    command->callback([&context, options] {
        context.action = [&context, options] { return RunImport(context, *options); };
    });
}

}  // namespace quillset::batch
