#include "app/results.h"

#include <filesystem>

#include "platform/system.h"
#include "platform/text_file.h"

namespace quillset::app {

namespace {

// Replaces the results file by an empty one. False with a reason when it is
// one of the inputs (the source, or the test file of the last comparison),
// or the old file cannot be deleted or the new one cannot be created.
platform::Status Recreate(const std::string& path, const std::string& keep, const std::string& test) {
    std::error_code ec;
    if (!keep.empty() && std::filesystem::equivalent(platform::FsPath(path), platform::FsPath(keep), ec))
        return {false, "it is the source file"};
    if (!test.empty() && std::filesystem::equivalent(platform::FsPath(path), platform::FsPath(test), ec))
        return {false, "it is the test file"};
    if (platform::FileExists(path)) {
        if (platform::Status deleted = platform::DeleteFile(path); !deleted) return deleted;
    }
    if (platform::FolderExists(path)) return {false, "it is a folder"};
    return platform::CreateEmptyFile(path);
}

}  // namespace

std::optional<std::string> CreateTempFile(Session& session, Host& host, SettingsStore& settings,
                                          std::string_view section, std::string_view fallback,
                                          const std::string& keep) {
    session.tempFileName = settings.Read(section, kTempKey, fallback);
    bool chosenByUser = false;
    for (platform::Status made; !(made = Recreate(session.tempFileName, keep, session.comparison.test.path));) {
        std::optional<std::string> chosen = host.ChooseTempFileName(session.tempFileName);
        if (!chosen) {
            host.Inform("Quillset could not create the temporary file " + session.tempFileName +
                        " (" + made.error + "); the command was not completed.");
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
    return HandOffBytes(session, host, settings, model::RenderedOutput(session.output), keep);
}

bool HandOffLines(Session& session, Host& host, SettingsStore& settings,
                  const std::vector<std::string>& lines, const std::string& keep) {
    const auto bytes = [&lines](const platform::ByteSink& put) { platform::RenderLines(lines, put); };
    return HandOffBytes(session, host, settings, bytes, keep);
}

bool HandOffBytes(Session& session, Host& host, SettingsStore& settings, const platform::ByteSource& bytes,
                  const std::string& keep) {
    const std::optional<std::string> path = ResultsTempFileName(session, host, settings, keep);
    if (!path) return false;
    if (const platform::Status written = platform::WriteBytes(*path, bytes); !written) {
        host.Inform("Unable to write the results file " + *path + ": " + written.error);
        return false;
    }
    host.ShowResultsFile(*path);
    return true;
}

}  // namespace quillset::app
