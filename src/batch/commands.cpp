#include "batch/commands.h"

namespace quillset::batch {

CLI::App& ExportGroup(CLI::App& app) {
    try {
        return *app.get_subcommand("export");
    } catch (const CLI::OptionNotFound&) {
        CLI::App* group = app.add_subcommand("export", "write the selected blocks in a format: export KIND --help");
        group->require_subcommand(1);
        return *group;
    }
}

void AddAllCommands(CLI::App& app, BatchContext& context) {
    AddCountCommands(app, context);
    AddKeywordCommands(app, context);
    AddExportCommands(app, context);
    AddCompareCommands(app, context);
    AddSurveyCommands(app, context);
    AddResizeCommands(app, context);
    AddImportCommands(app, context);
}

}  // namespace quillset::batch
