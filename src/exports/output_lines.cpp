#include "exports/output_lines.h"

#include "platform/text_file.h"
#include "session.h"

namespace quillset::exports {

namespace {

constexpr std::size_t kInitialSlots = 501;

// Replaces the results file by an empty one. False with a reason when the
// old file cannot be deleted or the new one cannot be created.
bool Recreate(const std::string& path, std::string* reason) {
    if (platform::FileExists(path) && !platform::DeleteFile(path, reason)) return false;
    if (platform::FolderExists(path)) {
        *reason = "it is a folder";
        return false;
    }
    return platform::CreateEmptyFile(path, reason);
}

}  // namespace

void OutputLines::Append(std::string line) {
    if (count_ < 1) {
        count_ = 0;
        if (slots_.size() < kInitialSlots) slots_.resize(kInitialSlots);
    }
    const auto highest = static_cast<std::int64_t>(slots_.size()) - 1;
    if (highest < static_cast<std::int64_t>(count_) + 1)
        slots_.resize(static_cast<std::size_t>(count_) * 2 + 1);
    slots_[static_cast<std::size_t>(count_)] = std::move(line);
    ++count_;
}

void OutputLines::Clear() { slots_.assign(kInitialSlots, std::string()); }

std::vector<std::string> CollapsedLines(const std::vector<std::string>& slots) {
    std::vector<std::string> lines;
    bool previousEmpty = true;  // the first slot has none before it
    for (const auto& slot : slots) {
        if (!slot.empty() || !previousEmpty) lines.push_back(slot);
        previousEmpty = slot.empty();
    }
    return lines;
}

std::optional<std::string> ResultsTempFileName(Session& session, Host& host,
                                               SettingsStore& settings) {
    session.tempFileName = settings.Read(kTempSection, kTempKey, kTempDefault);
    bool chosenByUser = false;
    std::string reason;
    while (!Recreate(session.tempFileName, &reason)) {
        std::optional<std::string> chosen = host.ChooseTempFileName(session.tempFileName);
        if (!chosen) {
            host.Inform("Quillset could not create the temporary file " + session.tempFileName +
                        " (" + reason + "); the command was not completed.");
            return std::nullopt;
        }
        session.tempFileName = *chosen;
        chosenByUser = true;
    }
    // Stored only once it has worked: an unusable name kept in the settings
    // would open the temporary-file window on every later hand-off.
    if (chosenByUser) settings.Save(kTempSection, kTempKey, session.tempFileName);
    return session.tempFileName;
}

bool ShowResults(Session& session, Host& host, SettingsStore& settings) {
    const std::optional<std::string> path = ResultsTempFileName(session, host, settings);
    if (!path) return false;
    std::string reason;
    if (!platform::WriteTextLines(*path, CollapsedLines(session.output.Slots()), &reason)) {
        host.Inform("Unable to write the results file " + *path + ": " + reason);
        return false;
    }
    host.ShowResultsFile(*path);
    return true;
}

}  // namespace quillset::exports
