// export ini FILE SELECTION: the INI subset of the selected blocks, the bytes
// that "Save As..." of the Results window writes after "Export to Ini (subset)".

#include <memory>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "exports/ini_subset.h"
#include "session.h"

namespace quillset::batch {

namespace {

struct IniExportOptions {
    std::string file;
    std::optional<std::string> categories;
    SelectionOptions selection;
    BatchHost::Answers answers;
    std::string out;
};

int RunIniExport(BatchContext& context, const IniExportOptions& options) {
    context.host.SetAnswers(options.answers);
    Output output(context.host, options.out);
    if (!output.Claim()) return kFailed;
    Session session;
    const model::CategoryChoice categories = CategoriesFor(options.file, options.categories);
    if (!LoadSource(session, context.host, options.file, categories)) return kFailed;
    if (!Select(session, context, options.file, categories, options.selection, options.answers.strict))
        return kFailed;
    const std::optional<std::string> bytes = exports::IniSubsetBytes(session, context.host, options.file);
    if (!bytes || context.host.Stopped()) return kFailed;
    return output.Write(*bytes) ? kSuccess : kFailed;
}

}  // namespace

void AddExportCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<IniExportOptions>();
    CLI::App* ini = ExportGroup(app).add_subcommand(
        "ini", "the selected definition blocks as INI text, in the header list's Order");
    ini->add_option("FILE", options->file, "source preference file")->required()->type_name("");
    AddSelectionOptions(*ini, options->selection);
    AddCategoriesOption(*ini, options->categories);
    AddAnswerOptions(*ini, options->answers);
    AddOutputOption(*ini, options->out);
    ini->callback([&context, options] {
        RequireSelection(options->selection);
        context.action = [&context, options] { return RunIniExport(context, *options); };
    });
}

}  // namespace quillset::batch
