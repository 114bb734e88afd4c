#include "exports/output_lines.h"

#include <algorithm>
#include <filesystem>

#include "platform/system.h"
#include "platform/text_file.h"
#include "session.h"

namespace quillset::exports {

namespace {

constexpr std::size_t kInitialSlots = 501;

// Replaces the results file by an empty one. False with a reason when it is
// one of the inputs (the source, or the test file of the last comparison),
// or the old file cannot be deleted or the new one cannot be created.
bool Recreate(const std::string& path, const std::string& keep, const std::string& test,
              std::string* reason) {
    std::error_code ec;
    if (!keep.empty() && std::filesystem::equivalent(platform::FsPath(path), platform::FsPath(keep), ec)) {
        *reason = "it is the source file";
        return false;
    }
    if (!test.empty() && std::filesystem::equivalent(platform::FsPath(path), platform::FsPath(test), ec)) {
        *reason = "it is the test file";
        return false;
    }
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

void OutputLines::TruncateTo(std::int32_t count) noexcept {
    for (std::int32_t i = std::max(count, 0); i < count_ && static_cast<std::size_t>(i) < slots_.size(); ++i)
        std::string().swap(slots_[static_cast<std::size_t>(i)]);
    count_ = std::min(count_, count);
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

std::string RenderLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::string RenderOutput(const OutputLines& output) { return RenderLines(CollapsedLines(output.Slots())); }

std::string AlreadyExistsMessage(std::string_view path) {
    return std::string(path) + " already exists!  Please Select a different file name.";
}

std::optional<std::string> CreateTempFile(Session& session, Host& host, SettingsStore& settings,
                                          std::string_view section, std::string_view fallback,
                                          const std::string& keep) {
    session.tempFileName = settings.Read(section, kTempKey, fallback);
    bool chosenByUser = false;
    std::string reason;
    while (!Recreate(session.tempFileName, keep, session.comparison.test.path, &reason)) {
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
    if (chosenByUser) settings.Save(section, kTempKey, session.tempFileName);
    return session.tempFileName;
}

std::optional<std::string> ResultsTempFileName(Session& session, Host& host, SettingsStore& settings,
                                               const std::string& keep) {
    return CreateTempFile(session, host, settings, kTempSection, kTempDefault, keep);
}

bool ShowResults(Session& session, Host& host, SettingsStore& settings, const std::string& keep) {
    return HandOffLines(session, host, settings, CollapsedLines(session.output.Slots()), keep);
}

bool HandOffLines(Session& session, Host& host, SettingsStore& settings,
                  const std::vector<std::string>& lines, const std::string& keep) {
    // Rendered before the old results file is replaced, so running out of
    // memory here leaves it whole.
    const std::string bytes = RenderLines(lines);
    const std::optional<std::string> path = ResultsTempFileName(session, host, settings, keep);
    if (!path) return false;
    std::string reason;
    if (!platform::WriteBytes(*path, bytes, &reason)) {
        host.Inform("Unable to write the results file " + *path + ": " + reason);
        return false;
    }
    host.ShowResultsFile(*path);
    return true;
}

}  // namespace quillset::exports
