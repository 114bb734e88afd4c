#pragma once
// The command table of quillset-batch.
//
// To add a command: write src/batch/<group>_commands.cpp with one
// registration function `void Add<Group>Commands(CLI::App&, BatchContext&)`,
// declare it below and call it from AddAllCommands (commands.cpp). The
// function adds its subcommand with a one-line purpose (the --help listing),
// takes its options through the shared helpers of batch_context.h (-o,
// --strict/--yes, --categories, the SELECTION), and in the subcommand's
// callback sets `context.action` to the work. The work claims its Output
// before reading anything, loads the source with LoadSource, gets its bytes
// from ONE core function that the window's hand-off uses too, writes them
// with Output::Write and returns kSuccess or kFailed. Exports go under the
// "export" group: `ExportGroup(app)` returns it.

#include <CLI/CLI.hpp>

#include "batch/batch_context.h"

namespace quillset::batch {

void AddCountCommands(CLI::App& app, BatchContext& context);
void AddKeywordCommands(CLI::App& app, BatchContext& context);
void AddExportCommands(CLI::App& app, BatchContext& context);
void AddCompareCommands(CLI::App& app, BatchContext& context);
void AddSurveyCommands(CLI::App& app, BatchContext& context);
void AddResizeCommands(CLI::App& app, BatchContext& context);
void AddImportCommands(CLI::App& app, BatchContext& context);

// The "export KIND" group, created on first use.
CLI::App& ExportGroup(CLI::App& app);

// Every command, in the order --help lists them.
void AddAllCommands(CLI::App& app, BatchContext& context);

}  // namespace quillset::batch
