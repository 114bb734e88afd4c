// quillset-batch: the functions of Quillset for scripts. No window, no
// display; the same core as the window.

#if defined(__linux__)
#include <malloc.h>
#endif

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "batch/commands.h"
#include "platform/out_of_memory.h"
#include "platform/system.h"
#include "platform/text_file.h"

int main(int argc, char** argv) {
#if defined(__linux__)
    // One short run: memory freed between the steps is kept for the next
    // step rather than given back and faulted in again page by page.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    // A killed run leaves no temporary output file behind.
    quillset::platform::OnInterrupt(quillset::platform::RemovePendingFile);
    quillset::platform::SetBinaryOutput();
    std::vector<std::string> args = quillset::platform::Arguments(argc, argv);

    using namespace quillset::batch;
    CLI::App app("Quillset for scripts: counts, keywords and exports of preference files.",
                 "quillset-batch");
    app.require_subcommand(1);
    app.footer("Exit status: 0 success, 1 the work failed, 2 usage error. "
               "COMMAND --help describes a command.");
    BatchContext context;
    AddAllCommands(app, context);
    try {
        // CLI11 would only say that a command is missing.
        if (args.size() > 1 && args[1][0] != '-') {
            try {
                app.get_subcommand(args[1]);
            } catch (const CLI::OptionNotFound&) {
                throw CLI::ExtrasError("Unknown command \"" + args[1] + "\"", CLI::ExitCodes::ExtrasError);
            }
        }
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
        app.parse(std::move(reversed));
    } catch (const CLI::Success& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << "\n\n";
        // The usage of the command that was being parsed.
        const CLI::App* command = &app;
        for (CLI::App* sub = command->get_subcommands().empty() ? nullptr : command->get_subcommands().front();
             sub != nullptr; sub = sub->get_subcommands().empty() ? nullptr : sub->get_subcommands().front())
            command = sub;
        std::string prefix;
        for (const CLI::App* parent = command->get_parent(); parent != nullptr; parent = parent->get_parent())
            prefix = parent->get_name() + (prefix.empty() ? "" : " " + prefix);
        std::cerr << command->help(prefix);
        return kUsage;
    }
    if (!context.action) return kUsage;
    int status = kFailed;
    // Memory running out is a failed command with its message, and -o never
    // leaves a file: the output is written only once complete.
    quillset::WithinMemory(context.host, [&] { status = context.action(); });
    return status;
}
