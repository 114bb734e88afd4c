#pragma once
// "Quillset Results Form": shows the output, lets the user edit it, and saves
// it under a new name (never over an existing file).

#include <QString>
#include <QWidget>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace quillset {
struct Session;
}
namespace quillset::platform {
class FileDialogs;
struct FileDialogRequest;
}

namespace quillset::ui {

class Prompter;

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    ResultsWindow(Session& session, Prompter& prompter, platform::FileDialogs& dialogs,
                  QWidget* parent = nullptr);

    // Replaces the text by the file's content, byte for byte (Latin-1).
    bool LoadFile(const QString& path);
    // The text as the bytes a save would write (lines ended by CRLF): the
    // loaded bytes while unedited; in edited text a character beyond Latin-1
    // becomes "?", so SaveResults refuses such text.
    QByteArray TextBytes() const;

    // Why the last LoadFile failed.
    QString lastError() const { return lastError_; }

    // The save dialog's request for an output kind (0 INI, 1 CSV, other TAB).
    static platform::FileDialogRequest SaveRequestFor(int outputKind);

    // The command of "Append to...", whose button stays disabled until the
    // function exists: it only says that it is to come.
    void AppendTo();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Save with memory running out told instead of ending the program.
    void SaveResults();
    void Save();
    void ClearResults();
    void CloseResults();
    void ApplyLayout();
    // The text as it would be saved, lines ended by CRLF, not yet encoded.
    QString SaveText() const;

    Session& session_;
    Prompter& prompter_;
    platform::FileDialogs& dialogs_;

    QPushButton* cmdSaveResults_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QPlainTextEdit* richTextResults_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QPushButton* cmdAppend_ = nullptr;

    // The name the save dialog returned last, offered again next time.
    QString lastSaveName_;
    QString lastError_;
    // The loaded file's bytes with CRLF line ends, what a save writes while
    // the text is unchanged since (holdsLoadedText_).
    std::string heldBytes_;
    bool holdsLoadedText_ = true;
};

}  // namespace quillset::ui
