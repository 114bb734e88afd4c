#include "app/recent_files.h"

#include <algorithm>

namespace quillset::app {

namespace {

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void AddRecentFile(std::vector<std::string>& list, const std::string& name, SameNameTest sameName) {
    if (name.empty()) return;
    std::erase_if(list, [&](const std::string& entry) { return sameName(entry, name); });
    list.insert(list.begin(), name);
    if (list.size() > kRecentFilesKept) list.resize(kRecentFilesKept);
}

std::vector<std::string> ReadRecentFiles(SettingsStore& settings) {
    std::vector<std::string> list;
    // Read oldest first, so a repeat written by hand keeps its newest place.
    for (std::size_t i = kRecentFilesKept; i-- > 0;) {
        std::string name = settings.Read(kRecentSection, KeyOf(i), "");
        if (!name.empty()) AddRecentFile(list, name);
    }
    return list;
}

void SaveRecentFiles(SettingsStore& settings, const std::vector<std::string>& list) {
    // Every key is written, so a shorter list leaves no stale names behind.
    for (std::size_t i = 0; i < kRecentFilesKept; ++i)
        settings.Save(kRecentSection, KeyOf(i), i < list.size() ? list[i] : std::string());
}

}  // namespace quillset::app
