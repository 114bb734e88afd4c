#pragma once
// "Quillset Results Form": shows the output, lets the user edit it, and saves
// it under a new name (never over an existing file).

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace quillset {
struct Session;
}
namespace quillset::platform {
class FileDialogs;
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
    // The text as the bytes a save would write (lines ended by CRLF).
    QByteArray TextBytes() const;

private:
    // Filled in by the implementation.
};

}  // namespace quillset::ui
