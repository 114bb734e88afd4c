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
    // Yes is the answer that overwrites ("Close" in the confirmation window
    // clobbers every remaining block), so Enter must not give it.
    return QMessageBox::question(parent_, kTitle, message, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace quillset::ui
