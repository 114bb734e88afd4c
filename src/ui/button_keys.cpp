#include "ui/button_keys.h"

#include <QAbstractButton>
#include <QWidget>

namespace quillset::ui {

void SetButtonKeys(QWidget* window, std::initializer_list<ButtonKey> keys) {
    for (const ButtonKey& k : keys) {
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(k.button));
        Q_ASSERT_X(button, "SetButtonKeys", k.button);
        if (button) button->setShortcut(QKeySequence(k.key));
    }
}

}  // namespace quillset::ui
