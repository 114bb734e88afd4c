// resize FILE SELECTION: the whole working text with the text symbologies of
// the selected blocks resized, the bytes that "Save As..." of the Results
// window writes after "Resize Text"; with --preview the preview list.

#include <memory>
#include <optional>
#include <string>

#include "batch/commands.h"
#include "resize/text_resizer.h"
#include "app/session.h"
#include "app/resize_commands.h"

namespace quillset::batch {

namespace {

struct ResizeOptions : SelectedSourceOptions {
    std::optional<std::string> height, width, spacing;
    bool pipe = false;
    bool preview = false;
};

// A switch is on when its value is given; the boxes of those not given keep
// the window's start-up texts.
resize::ResizeSettings SettingsOf(const ResizeOptions& options) {
    resize::ResizeSettings settings;
    for (auto [given, setting] : {std::pair{&options.height, &settings.height},
                                  std::pair{&options.width, &settings.width},
                                  std::pair{&options.spacing, &settings.spacing}}) {
        setting->on = given->has_value();
        if (*given) setting->text = **given;
    }
    settings.pipe = options.pipe;
    return settings;
}

int RunResize(BatchContext& context, const ResizeOptions& options) {
    return RunOnSelection(context, options, [&](Session& session, Host& host) {
        return options.preview
                   ? app::PreviewBytes(session, host, options.file, SettingsOf(options))
                   : app::ResizedTextBytes(session, host, options.file, SettingsOf(options));
    });
}

}  // namespace

void AddResizeCommands(CLI::App& app, BatchContext& context) {
    auto options = std::make_shared<ResizeOptions>();
    CLI::App* command = app.add_subcommand(
        "resize", "the whole text with the text height, width and line spacing of the selected blocks' "
                  "text symbologies rewritten");
    command->add_option("FILE", options->file, "source preference file")->required()->type_name("");
    AddSelectionOptions(*command, options->selection);
    command->add_option("--height", options->height, "rewrite the text height with V")->type_name("V");
    command->add_option("--width", options->width, "rewrite the text width with V")->type_name("V");
    command->add_option("--spacing", options->spacing, "rewrite the line spacing with V")->type_name("V");
    command->add_flag("--pipe", options->pipe, "split \"|\"-delimited text definitions at \"|\"");
    command->add_flag("--preview", options->preview,
                      "list each selected header with its text symbology lines instead");
    AddCategoriesOption(*command, options->categories);
    AddAnswerOptions(*command, options->answers);
    AddOutputOption(*command, options->out);
    command->callback([&context, options] {
        RequireSelection(options->selection);
        // A value that is no number is refused before any file is read.
        std::string message;
        if (!resize::ReadValues(SettingsOf(*options), &message)) throw CLI::ValidationError(message);
        context.action = [&context, options] { return RunResize(context, *options); };
    });
}

}  // namespace quillset::batch
