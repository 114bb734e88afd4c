#pragma once
// The core's Host for the running program: messages through a Prompter, the
// temporary-file window for a new temporary name, and the one Results window.

#include <QElapsedTimer>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "platform/host.h"
#include "ui/results_window.h"

class QProgressDialog;
class QWidget;

namespace quillset {
struct Session;
class SettingsStore;
}

namespace quillset::platform {
class FileDialogs;
}

namespace quillset::ui {

class Prompter;

class AppHost : public Host {
public:
    // With a settings store the Results window keeps its size and place.
    AppHost(Session& session, Prompter& prompter, platform::FileDialogs& dialogs, SettingsStore* settings = nullptr);
    ~AppHost() override;

    void Inform(std::string_view message) override;
    bool AskOkCancel(std::string_view message) override;
    bool AskYesNo(std::string_view message) override;
    std::optional<std::string> ChooseTempFileName(const std::string& current) override;
    void ShowResultsFile(const std::string& path) override;
    // A task that runs longer than the delay shows a progress window, modal
    // to the window in front, whose Cancel stops it.
    bool Progress(std::string_view task, std::uint64_t done, std::uint64_t total) override;
    void SetProgressDelay(int milliseconds) { progressDelay_ = milliseconds; }

    // The Results window while it exists (created by the first hand-off,
    // destroyed by its title-bar close box); nullptr otherwise.
    ResultsWindow* resultsWindow() const { return results_; }
    // Closes the Results window with the program.
    void CloseAll();

    // Opens a file the program made (a survey report) with the desktop's
    // handler; tests record the files instead.
    void ShowDocument(const QString& path);
    void SetDocumentOpener(std::function<void(const QString&)> opener) { opener_ = std::move(opener); }

    // GUI tests replace the modal temporary-file window with an answer.
    using TempFileChooser = std::function<std::optional<std::string>(const std::string&)>;
    void SetTempFileChooser(TempFileChooser chooser) { chooser_ = std::move(chooser); }

private:
    Session& session_;
    Prompter& prompter_;
    platform::FileDialogs& dialogs_;
    SettingsStore* settings_;
    QPointer<ResultsWindow> results_;
    TempFileChooser chooser_;
    std::function<void(const QString&)> opener_;
    QElapsedTimer taskTimer_;
    QPointer<QProgressDialog> progress_;
    int progressDelay_ = 500;
};

}  // namespace quillset::ui
