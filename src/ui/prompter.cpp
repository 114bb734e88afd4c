#include "ui/prompter.h"

#include <QMessageBox>

namespace quillset::ui {

namespace {
const QString kTitle = QStringLiteral("Quillset");
}

void MessageBoxPrompter::Inform(const QString& message) {
    QMessageBox::information(parent_, kTitle, message, QMessageBox::Ok);
}

bool MessageBoxPrompter::AskOkCancel(const QString& message) {
    return QMessageBox::question(parent_, kTitle, message, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

bool MessageBoxPrompter::AskYesNo(const QString& message) {
    return QMessageBox::question(parent_, kTitle, message, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace quillset::ui
