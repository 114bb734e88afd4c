#pragma once
// "Export to Spreadsheet (.csv)": feature styles, named symbologies,
// preference and WYSIWYG blocks of the output lines as comma-separated rows
// that a spreadsheet opens with one setting per cell. Nothing is quoted.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

namespace quillset::exports {

// The seventeen feature-style values by line number (0 to 16).
using FeatureRecord = std::array<std::string_view, 17>;

// The values a feature block starts from.
FeatureRecord DefaultFeatureRecord();

// Values 0-5 and 7-15 joined by commas (6 and 16 are never written).
std::string FeatureValuesText(const FeatureRecord& record);

// The whole CSV text for these output slots: the six title rows, then the
// rows of every block in slot order. Empty slots and lines before the first
// header are ignored.
std::vector<std::string> CsvExportLines(const std::vector<std::string>& slots);

// Writes CsvExportLines of the output lines to the results temporary file,
// sets the output kind to 1 and has the host show it. False after a message
// when the file could not be written.
bool WriteCsvExport(Session& session, Host& host, SettingsStore& settings,
                    const std::string& sourcePath = {});

// The button: source check, the listed blocks collected, then
// WriteCsvExport. False when the source file is missing.
bool ExportCsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath);

// The same export as the bytes a save of the Results window writes, for
// callers that keep output in memory. nullopt after a message when the
// source is missing or nothing is selected.
std::optional<std::string> CsvExportBytes(Session& session, Host& host, const std::string& sourcePath);

}  // namespace quillset::exports
