#pragma once
// The last source files processed, newest first, kept in the settings store
// for the File menu's "Recent Files".

#include <cstddef>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "platform/system.h"

namespace quillset::app {

inline constexpr std::size_t kRecentFilesKept = 10;
inline constexpr const char* kRecentSection = "Recent Files";

using SameNameTest = bool (*)(const std::string&, const std::string&);

// `name` moved to the front; an earlier entry naming the same file goes (the
// newer spelling stays), and the list keeps at most kRecentFilesKept names.
void AddRecentFile(std::vector<std::string>& list, const std::string& name,
                   SameNameTest sameName = &platform::SameName);

// Keys "File1" to "File10"; empty and repeated entries are skipped.
std::vector<std::string> ReadRecentFiles(SettingsStore& settings);
void SaveRecentFiles(SettingsStore& settings, const std::vector<std::string>& list);

}  // namespace quillset::app
