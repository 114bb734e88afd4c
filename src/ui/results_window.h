#pragma once
// "Quillset Results Form": shows the output, lets the user edit it, and saves
// it under a new name (never over an existing file).

#include <QString>
#include <QWidget>
#include <string>

class QKeyEvent;
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

class ByteTextView;
class Prompter;

class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    ResultsWindow(Session& session, Prompter& prompter, platform::FileDialogs& dialogs,
                  QWidget* parent = nullptr);

    // Replaces the text by the file's content, byte for byte (Latin-1). A
    // big text is shown read-only at once and becomes editable when the
    // user starts to change it.
    bool LoadFile(const QString& path);
    // The editor holds the text (always so for a small text).
    bool IsEditing() const;
    // Text that was loaded or typed and has not been saved since.
    bool HoldsUnsavedText() const;
    // The text as the bytes a save would write (lines ended by CRLF): the
    // loaded bytes while unedited; in edited text a character beyond Latin-1
    // becomes "?", so SaveResults refuses such text.
    QByteArray TextBytes() const;

    // Why the last LoadFile failed.
    QString lastError() const { return lastError_; }

    // The save dialog's request for an output kind (0 INI, 1 CSV, other TAB),
    // starting in the usual results folder where there is one, else beside
    // the source file, else in the user's own folder.
    static platform::FileDialogRequest SaveRequestFor(int outputKind, const QString& sourceFile = {});

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
    void ShowEditor(bool editing);
    // Moves a big text from the read-only view into the editor and hands it
    // the key that asked for it.
    void StartEditing(const QKeyEvent& key);
    // The text as it would be saved, lines ended by CRLF, not yet encoded.
    QString SaveText() const;

    Session& session_;
    Prompter& prompter_;
    platform::FileDialogs& dialogs_;

    QPushButton* cmdSaveResults_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QPlainTextEdit* richTextResults_ = nullptr;
    // Holds the loaded bytes; shown instead of the editor for a big text.
    ByteTextView* view_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
    QPushButton* cmdAppend_ = nullptr;

    // The name the save dialog returned last, offered again next time.
    QString lastSaveName_;
    QString lastError_;
    // The view's bytes (the loaded file with CRLF line ends) are what a save
    // writes while the text is unchanged since.
    bool holdsLoadedText_ = true;
    bool saved_ = true;
};

}  // namespace quillset::ui
