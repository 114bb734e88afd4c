#include "ui/app_host.h"

#include <QApplication>
#include <QCursor>
#include <QProgressDialog>

#include "app/session.h"
#include "platform/help_viewer.h"
#include "ui/prompter.h"
#include "ui/results_window.h"
#include "ui/temp_file_window.h"
#include "ui/window_memory.h"
#include "ui/text.h"

namespace quillset::ui {

namespace {

// Long commands run under a busy pointer (an override cursor), which would
// also cover the message boxes and windows they raise. While one of those is
// up the user gets the arrow; the busy pointer returns when it closes.
class ArrowWhileModal {
public:
    ArrowWhileModal() : pushed_(QGuiApplication::overrideCursor() != nullptr) {
        if (pushed_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileModal() {
        if (pushed_) QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileModal(const ArrowWhileModal&) = delete;
    ArrowWhileModal& operator=(const ArrowWhileModal&) = delete;

private:
    bool pushed_;
};

}  // namespace

AppHost::AppHost(Session& session, Prompter& prompter, platform::FileDialogs& dialogs, SettingsStore* settings)
    : session_(session), prompter_(prompter), dialogs_(dialogs), settings_(settings) {}

AppHost::~AppHost() { CloseAll(); }

void AppHost::Inform(std::string_view message) {
    ArrowWhileModal arrow;
    prompter_.Inform(FromMessage(message));
}

bool AppHost::AskOkCancel(std::string_view message) {
    ArrowWhileModal arrow;
    return prompter_.AskOkCancel(FromMessage(message));
}

bool AppHost::AskYesNo(std::string_view message) {
    ArrowWhileModal arrow;
    return prompter_.AskYesNo(FromMessage(message));
}

std::optional<std::string> AppHost::ChooseTempFileName(const std::string& current) {
    ArrowWhileModal arrow;
    if (chooser_) return chooser_(current);
    FormTempFile form(current, prompter_, QApplication::activeWindow());
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.fileName();
}

void AppHost::ShowResultsFile(const std::string& path) {
    if (!results_) {
        // Top-level and modeless; it lives until its own close box or CloseAll.
        results_ = new ResultsWindow(session_, prompter_, dialogs_);
        if (settings_) KeepPlacement(results_, *settings_, "Results");
    }
    // Hidden and shown again so it comes to the front with the new text; a
    // minimised window would stay an icon, so it is restored first.
    results_->hide();
    results_->setWindowState(results_->windowState() & ~Qt::WindowMinimized);
    results_->show();
    results_->raise();
    results_->activateWindow();
    const QString file = FromPath(path);
    if (!results_->LoadFile(file)) {
        ArrowWhileModal arrow;
        prompter_.Inform(QStringLiteral("Unable to read the results file ") + file + QStringLiteral(" (") +
                         results_->lastError() + QStringLiteral(")"));
    }
}

bool AppHost::Progress(std::string_view task, std::uint64_t done, std::uint64_t total) {
    if (done >= total) {
        taskTimer_.invalidate();
        if (progress_) {
            delete progress_.data();
            QGuiApplication::restoreOverrideCursor();
        }
        return true;
    }
    if (!taskTimer_.isValid()) taskTimer_.start();
    if (!progress_) {
        if (taskTimer_.elapsed() < progressDelay_) return true;
        progress_ = new QProgressDialog(FromMessage(task), QStringLiteral("Cancel"), 0, 1000,
                                        QApplication::activeWindow());
        progress_->setObjectName(QStringLiteral("progress"));
        progress_->setWindowTitle(QStringLiteral("Quillset"));
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(0);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        // The busy pointer would hide that Cancel can be clicked.
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        progress_->show();
    }
    progress_->setValue(static_cast<int>(done * 1000 / total));
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void AppHost::ShowDocument(const QString& path) {
    if (opener_) return opener_(path);
    if (!platform::OpenWithDesktop(path))
        Inform("No program here opens " + ToPath(path) + "; it stays there to be opened by hand.");
}

void AppHost::CloseAll() {
    if (results_) delete results_.data();
}

}  // namespace quillset::ui
