#pragma once
// Keyboard accelerators for buttons whose captions are fixed: Alt+letter
// shortcuts set on the buttons, the captions and tool tips left as they are.

#include <QKeyCombination>
#include <initializer_list>

class QWidget;

namespace quillset::ui {

struct ButtonKey {
    const char* button;  // object name of a button of the window
    QKeyCombination key;
};

// A shortcut of a button works while the button is shown and enabled, in
// the button's window.
void SetButtonKeys(QWidget* window, std::initializer_list<ButtonKey> keys);

}  // namespace quillset::ui
