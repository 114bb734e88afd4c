#pragma once
// The host and settings the benchmarks run with: every question answered
// with its data-keeping choice, messages dropped (or, with `echo`, shown on
// standard error), nothing stored.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"
#include "platform/settings_store.h"

namespace quillset::bench {

struct SilentHost : Host {
    explicit SilentHost(bool echo = false) : echo_(echo) {}
    void Inform(std::string_view text) override {
        if (echo_) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool AskOkCancel(std::string_view) override { return true; }
    bool AskYesNo(std::string_view) override { return true; }
    std::optional<std::string> ChooseTempFileName(const std::string&) override { return std::nullopt; }
    void ShowResultsFile(const std::string&) override {}

private:
    bool echo_;
};

struct NoSettings : SettingsStore {
    std::string Read(std::string_view, std::string_view, std::string_view fallback) override {
        return std::string(fallback);
    }
    void Save(std::string_view, std::string_view, std::string_view) override {}
};

}  // namespace quillset::bench
