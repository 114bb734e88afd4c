#pragma once
// Controls are found by object name: in the tests and in the screenshot walk.

#include <QString>

namespace quillset::ui {

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace quillset::ui
