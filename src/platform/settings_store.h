#pragma once
// The per-user settings store, application "Quillset". The Qt program keeps
// it in QSettings; tests use an in-memory map.

#include <string>
#include <string_view>

namespace quillset {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string Read(std::string_view section, std::string_view key,
                             std::string_view fallback) = 0;
    virtual void Save(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace quillset
