#include "platform/help_viewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace quillset::platform {

QString HelpFileBesideProgram() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kHelpFileName));
}

QString LocateHelpFile(const QString& path) {
    if (path.isEmpty()) return {};
    QFileInfo info(path);
    if (info.isRelative()) info = QFileInfo(QDir(QCoreApplication::applicationDirPath()), path);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

bool OpenHelpFile(const QString& path) {
    const QString located = LocateHelpFile(path);
    if (located.isEmpty()) return false;
    return OpenWithDesktop(located);
}

bool OpenWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace quillset::platform
