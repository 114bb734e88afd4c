#pragma once
// The conversion step of "Process Source Ini" for a spreadsheet (.csv) or
// TAB-separated (.txt) source: the file becomes INI text, which is written
// to the conversion file and then analysed like an INI source.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "model/source_model.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

namespace quillset::model {

inline constexpr const char* kConversionSection = "TempCSV";
inline constexpr const char* kConversionDefault = "ini_CSV.tmp";

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

// The conversion file, freshly created empty (settings section "TempCSV"),
// through the temporary-file window when it cannot be; also kept in
// session.tempFileName. Never the source file itself.
std::optional<std::string> PrepareConversionFile(Session& session, Host& host, SettingsStore& settings,
                                                 const std::string& sourcePath);

// Converts the source's lines, then writes them to the conversion file.
// nullopt when the import stops (cancelled, or the file could not be
// written, after a message); nothing of the source is used then.
std::optional<std::vector<std::string>> ConvertToConversionFile(Session& session, Host& host,
                                                                SettingsStore& settings,
                                                                const std::string& sourcePath,
                                                                std::span<const std::string_view> lines,
                                                                SourceKind kind);

}  // namespace quillset::model
