// export ini|csv|tsv FILE SELECTION: the bytes that "Save As..." of the
// Results window writes after "Export to Ini (subset)", "Export to
// Spreadsheet (.csv)" and "Preference. to TSV" for the same selection.

#include <memory>
#include <optional>
#include <string>

#include "app/export_commands.h"
#include "app/session.h"
#include "batch/commands.h"
#include "exports/csv_export.h"
#include "exports/ini_subset.h"
#include "exports/tsv_export.h"

namespace quillset::batch {

namespace {

using ExportBytes = std::optional<platform::ByteSource> (*)(Session&, Host&, const std::string&);

using ExportOptions = SelectedSourceOptions;

int RunExport(BatchContext& context, const ExportOptions& options, ExportBytes bytesOf) {
    return RunOnSelection(context, options, [&](Session& session, Host& host) {
        return bytesOf(session, host, options.file);
    });
}

}  // namespace

void AddExportCommands(CLI::App& app, BatchContext& context) {
    const struct {
        const char* kind;
        const char* purpose;
        ExportBytes bytesOf;
    } kinds[] = {
        {"ini", "the selected definition blocks as INI text, in the header list's Order", app::IniSubsetBytes},
        {"csv", "the selected feature styles, named symbologies, preference and WYSIWYG blocks as spreadsheet rows",
         app::CsvExportBytes},
        {"tsv", "the selected preference blocks side by side as a TAB-separated table", app::TsvExportBytes},
    };
    for (const auto& kind : kinds) {
        auto options = std::make_shared<ExportOptions>();
        CLI::App* command = ExportGroup(app).add_subcommand(kind.kind, kind.purpose);
        command->add_option("FILE", options->file, "source file (.ini, or a .csv or .txt export)")
            ->required()
            ->type_name("");
        AddSelectionOptions(*command, options->selection);
        AddCategoriesOption(*command, options->categories);
        AddAnswerOptions(*command, options->answers);
        AddOutputOption(*command, options->out);
        const ExportBytes bytesOf = kind.bytesOf;
        command->callback([&context, options, bytesOf] {
            RequireSelection(options->selection);
            context.action = [&context, options, bytesOf] { return RunExport(context, *options, bytesOf); };
        });
    }
}

}  // namespace quillset::batch
