#pragma once
// Processing a source into the session: the model replaced, the selection
// begun afresh, a spreadsheet or TAB source converted through the
// conversion file.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "platform/host.h"
#include "platform/settings_store.h"

namespace quillset::app {

inline constexpr const char* kConversionSection = "TempCSV";
inline constexpr const char* kConversionDefault = "ini_CSV.tmp";

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
                                                                model::SourceKind kind);

// The "Process Source Ini" action on an existing file: empties the keyword
// lists and the header list (its rows could name blocks of the file as it
// was before), reads, counts and loads the source in one go
// (it may have changed since it was counted), builds the working lines from
// `choice` and fills the Available Keywords. A spreadsheet or TAB source is
// first converted into the conversion file, whose text is what gets loaded.
// False (with a message, or after Cancel at the level question) when the
// file could not be read or converted; the previous model then stays. The
// new model is built beside the old one, so when memory runs out
// (std::bad_alloc passes on) the session is left as it was.
bool ProcessSource(Session& session, Host& host, SettingsStore& settings, const std::string& path,
                   model::SourceKind kind, const model::CategoryChoice& choice,
                   const model::CountProgress& progress = {});

// ProcessSource for callers that keep everything in memory (the script
// tool): a spreadsheet or TAB source is converted the same way, but no
// conversion file is written.
bool ProcessSourceInMemory(Session& session, Host& host, const std::string& path, model::SourceKind kind,
                           const model::CategoryChoice& choice, const model::CountProgress& progress = {});

// The counts that ProcessSourceInMemory would show for the file at `path`:
// an INI file is counted as it is read, with nothing of it kept; a
// spreadsheet or TAB source is converted first. nullopt after a message.
std::optional<model::SourceCounts> CountSourceFile(Host& host, const std::string& path);

}  // namespace quillset::app
