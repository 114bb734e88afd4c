#pragma once
// The hand-off of output to the Results window through the results
// temporary file, and the temporary files themselves.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"
#include "platform/host.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"

namespace quillset::app {

inline constexpr const char* kTempSection = "Tempfile";
inline constexpr const char* kTempKey = "FileName";
inline constexpr const char* kTempDefault = "quillset.tmp";

// The name of a freshly created, empty temporary file, read from the
// settings store (`section`, key "FileName", else `fallback`) and also stored
// in session.tempFileName. When it cannot be created, the host's
// temporary-file window is asked for another name until one works (saved in
// the settings store) or the user gives up: then nullopt, after a message.
// A name that is the file `keep` (the source) or the test file of the last
// comparison counts as one that cannot be created, so a temporary file never
// replaces an input.
std::optional<std::string> CreateTempFile(Session& session, Host& host, SettingsStore& settings,
                                          std::string_view section, std::string_view fallback,
                                          const std::string& keep = {});

// CreateTempFile for the results file (section "Tempfile").
std::optional<std::string> ResultsTempFileName(Session& session, Host& host, SettingsStore& settings,
                                               const std::string& keep = {});

// Writes `bytes` to the results temporary file and has the host show it.
// False, after a message, when nothing could be written.
bool HandOffBytes(Session& session, Host& host, SettingsStore& settings, const platform::ByteSource& bytes,
                  const std::string& keep = {});
// HandOffBytes of `lines`, each ended by CRLF.
bool HandOffLines(Session& session, Host& host, SettingsStore& settings,
                  const std::vector<std::string>& lines, const std::string& keep = {});

// Writes the output lines (collapsed) to the results temporary file and has
// the host show it. False, after a message, when nothing could be written;
// the output lines are kept either way.
bool ShowResults(Session& session, Host& host, SettingsStore& settings, const std::string& keep = {});

}  // namespace quillset::app
