#pragma once
// The export commands: the listed blocks collected into the session's
// output lines, then shown as INI text, a spreadsheet CSV or a TAB table, or
// returned as the bytes a save of the Results window would write.

#include <optional>
#include <string>

#include "app/session.h"
#include "platform/host.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"

namespace quillset::app {

// Where every export of the listed blocks starts: the source check, then
// CollectListedBlocks (its result in *collected). False, after the message,
// when the source file is missing.
bool CollectFromSource(Session& session, Host& host, const std::string& sourcePath, bool* collected);

// "Export to Ini (subset)". False when the source file is missing (the
// window then puts the focus back into the source file name box).
bool ExportIniSubset(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath);
// The INI subset as the bytes a save of the Results window would write, for
// callers that keep output in memory: the source check and the collection of
// ExportIniSubset, rendered by RenderOutput from the session's output lines
// as they are written. nullopt after a message when the source is missing or
// nothing is selected.
std::optional<platform::ByteSource> IniSubsetBytes(Session& session, Host& host, const std::string& sourcePath);

// Writes CsvExportLines of the output lines to the results temporary file,
// sets the output kind to 1 and has the host show it. False after a message
// when the file could not be written.
bool WriteCsvExport(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath = {});
// The button: source check, the listed blocks collected, then
// WriteCsvExport. False when the source file is missing.
bool ExportCsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath);
// The same export as the bytes a save of the Results window writes, for
// callers that keep output in memory. nullopt after a message when the
// source is missing or nothing is selected.
std::optional<platform::ByteSource> CsvExportBytes(Session& session, Host& host, const std::string& sourcePath);

// Tells the messages of TsvExportLines of the output lines, writes the table
// to the results temporary file, sets the output kind to 2 and has the host
// show it. False after a message when the file could not be written.
bool WriteTsvExport(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath = {});
// The button: source check, the listed blocks collected, then
// WriteTsvExport. False when the source file is missing.
bool ExportTsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath);
// The same export as the bytes a save of the Results window writes, its
// messages told, for callers that keep output in memory. nullopt after a
// message when the source is missing or nothing is selected.
std::optional<platform::ByteSource> TsvExportBytes(Session& session, Host& host, const std::string& sourcePath);

}  // namespace quillset::app
