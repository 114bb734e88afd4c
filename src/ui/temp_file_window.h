#pragma once
// "Error: Temporary File": asks for a new temporary file name in an existing
// folder when the program could not create its temporary file.

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quillset::ui {

class Prompter;

// The folder part of a path split at "\" (also "/" on this platform): all
// parts but the last, each followed by its separator; "" without one.
std::string FolderPart(const std::string& path);
// Whether the folder of `path` exists; reports a missing one.
bool FolderOfFileExists(const std::string& path, Prompter& prompter);

class FormTempFile : public QDialog {
    Q_OBJECT
public:
    FormTempFile(const std::string& tempFileName, Prompter& prompter, QWidget* parent = nullptr);

    // The name in TxtTempFile, as file-system bytes; what the caller stores
    // once the window was accepted.
    std::string fileName() const;

private:
    void ConfirmName();

    Prompter& prompter_;
    QLabel* label1_ = nullptr;
    QLineEdit* txtTempFile_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* cmdTempFile_ = nullptr;
};

}  // namespace quillset::ui
