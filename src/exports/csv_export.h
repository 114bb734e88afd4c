#pragma once
// "Export to Spreadsheet (.csv)": feature styles, named symbologies,
// preference and WYSIWYG blocks of the output lines as comma-separated rows
// that a spreadsheet opens with one setting per cell. Nothing is quoted.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/output_lines.h"
#include "platform/progress.h"
#include "platform/host.h"

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
// A meter counts the output lines and may stop the conversion (Cancelled).
std::vector<std::string> CsvExportLines(const model::OutputLines& output, ProgressMeter* meter = nullptr);

}  // namespace quillset::exports
