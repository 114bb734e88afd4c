#pragma once
// The conversion step of "Process Source Ini" for a spreadsheet (.csv) or
// TAB-separated (.txt) source: the file becomes INI text, which is written
// to the conversion file and then analysed like an INI source.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "model/source_model.h"

namespace quillset::model {

// The INI lines that the conversion file holds for a source of this kind
// (an INI source is returned as it stands); nullopt when the user cancelled
// at the level question.
std::optional<std::vector<std::string>> ConvertSourceLines(std::span<const std::string_view> lines,
                                                           SourceKind kind, Host& host);

// The INI text that the conversion file of the .csv or .txt file at `path`
// holds, as bytes, for callers that keep it in memory. nullopt after a
// message when the file cannot be read or is neither kind, or when the user
// cancelled.
std::optional<std::string> ConversionBytes(Host& host, const std::string& path);

}  // namespace quillset::model
