#include "platform/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace quillset::platform {

QStringList ToQtNameFilters(const QString& barSeparated) {
    const QStringList parts = barSeparated.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // Qt reads the patterns from the parentheses of the description;
        // a description without them gets its pattern appended.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        const bool carriesPattern = open >= 0 && description.indexOf(QLatin1Char(')'), open) > open;
        if (carriesPattern || pattern.isEmpty()) {
            filters.append(description);
        } else {
            QString withPattern = description;
            if (!withPattern.isEmpty()) withPattern += QLatin1Char(' ');
            withPattern += QLatin1Char('(') + QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                           QLatin1Char(')');
            filters.append(withPattern);
        }
    }
    // A lone trailing description without a pattern still names a filter.
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) filters.append(parts.back().trimmed());
    return filters;
}

namespace {

enum class Mode { Open, Save, OpenSeveral };

std::optional<QStringList> Run(QWidget* parent, const FileDialogRequest& request, Mode mode) {
    const bool save = mode == Mode::Save;
    QFileDialog dialog(parent);
    const QStringList filters = ToQtNameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // Save As refuses existing files itself; the dialog must not ask.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(mode == Mode::OpenSeveral ? QFileDialog::ExistingFiles
                           : request.mustExist     ? QFileDialog::ExistingFile
                                                   : QFileDialog::AnyFile);
    }
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    const bool inFolder = !request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir();
    if (inFolder) dialog.setDirectory(request.initialFolder);
    if (request.filterIndex >= 0 && request.filterIndex < filters.size())
        dialog.selectNameFilter(filters[request.filterIndex]);
    // The box's own folder wins over the folder of the name the dialog
    // remembers from the other box.
    if (!request.fileName.isEmpty())
        dialog.selectFile(inFolder ? QFileInfo(request.fileName).fileName() : request.fileName);

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> First(std::optional<QStringList> chosen) {
    if (!chosen) return std::nullopt;
    return chosen->front();
}

}  // namespace

std::optional<QString> QtFileDialogs::OpenFile(QWidget* parent, const FileDialogRequest& request) {
    return First(Run(parent, request, Mode::Open));
}

std::optional<QString> QtFileDialogs::SaveFile(QWidget* parent, const FileDialogRequest& request) {
    return First(Run(parent, request, Mode::Save));
}

std::optional<QStringList> QtFileDialogs::OpenFiles(QWidget* parent, const FileDialogRequest& request) {
    return Run(parent, request, Mode::OpenSeveral);
}

}  // namespace quillset::platform
