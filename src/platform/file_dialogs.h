#pragma once
// The common file dialogs behind an interface, so GUI tests can answer them.

#include <QString>
#include <optional>

class QWidget;

namespace quillset::platform {

struct FileDialogRequest {
    // Description and pattern pairs joined by "|", e.g.
    // "Preference Files (*.ini)|*.ini|All files (*.*)|*.*".
    QString filter;
    int filterIndex = 0;  // the pair preselected, 0-based
    QString initialFolder;
    QString defaultSuffix;  // without the dot
    QString fileName;       // the name the dialog remembers from last time
    bool mustExist = false;
};

// "Desc (*.ini)|*.ini|..." as a list of Qt name filters ("Desc (*.ini)").
QStringList ToQtNameFilters(const QString& barSeparated);

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Several existing files at once; nullopt when the user cancelled.
    virtual std::optional<QStringList> OpenFiles(QWidget* parent, const FileDialogRequest& request) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QStringList> OpenFiles(QWidget* parent, const FileDialogRequest& request) override;
};

}  // namespace quillset::platform
