// quillset-batch: the functions of Quillset for scripts. No window, no
// display; the same core as the window.

#include <malloc.h>
#include <signal.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "batch/commands.h"
#include "platform/text_file.h"

namespace {

// A killed run leaves no temporary output file behind.
void OnSignal(int signal) {
    quillset::platform::RemovePendingFile();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
    // One short run: memory freed between the steps is kept for the next
    // step rather than given back and faulted in again page by page.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(s, OnSignal);

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
        if (argc > 1 && argv[1][0] != '-') {
            try {
                app.get_subcommand(argv[1]);
            } catch (const CLI::OptionNotFound&) {
                throw CLI::ExtrasError("Unknown command \"" + std::string(argv[1]) + "\"", CLI::ExitCodes::ExtrasError);
            }
        }
        app.parse(argc, argv);
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
    return context.action ? context.action() : kUsage;
}
