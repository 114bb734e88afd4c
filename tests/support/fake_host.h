#pragma once
// A Host that records what the core says and answers its questions from a
// script, and an in-memory settings store.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/settings_store.h"

namespace quillset::testing {

class FakeHost : public Host {
public:
    std::vector<std::string> messages;      // every Inform, in order
    std::vector<std::string> questions;     // every AskOkCancel / AskYesNo
    std::deque<bool> answers;               // next answers; true when empty
    std::deque<std::optional<std::string>> tempNames;  // next temp-file window answers
    std::vector<std::string> tempWindowShownWith;
    std::vector<std::string> shownFiles;    // every ShowResultsFile
    std::vector<std::string> tasks;         // every task that reported progress
    std::optional<std::string> cancel;      // Cancel is pressed in every task that starts so

    void Inform(std::string_view message) override { messages.emplace_back(message); }
    bool AskOkCancel(std::string_view message) override { return Answer(message); }
    bool AskYesNo(std::string_view message) override { return Answer(message); }
    std::optional<std::string> ChooseTempFileName(const std::string& current) override {
        tempWindowShownWith.push_back(current);
        if (tempNames.empty()) return std::nullopt;
        auto next = tempNames.front();
        tempNames.pop_front();
        return next;
    }
    void ShowResultsFile(const std::string& path) override { shownFiles.push_back(path); }
    bool Progress(std::string_view task, std::uint64_t done, std::uint64_t total) override {
        if (tasks.empty() || tasks.back() != task) tasks.emplace_back(task);
        return done >= total || !cancel || !task.starts_with(*cancel);
    }

private:
    bool Answer(std::string_view message) {
        questions.emplace_back(message);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeSettings : public SettingsStore {
public:
    std::map<std::pair<std::string, std::string>, std::string> values;

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) override {
        auto it = values.find({std::string(section), std::string(key)});
        return it == values.end() ? std::string(fallback) : it->second;
    }
    void Save(std::string_view section, std::string_view key, std::string_view value) override {
        values[{std::string(section), std::string(key)}] = std::string(value);
    }
};

}  // namespace quillset::testing
