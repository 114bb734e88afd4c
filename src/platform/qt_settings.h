#pragma once
// The per-user settings store in QSettings, organisation and application
// "Quillset". Values are stored as Latin-1 so any byte round-trips.

#include "platform/settings_store.h"

namespace quillset::platform {

class QtSettingsStore : public SettingsStore {
public:
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) override;
    void Save(std::string_view section, std::string_view key, std::string_view value) override;
};

}  // namespace quillset::platform
