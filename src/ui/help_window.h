#pragma once
// "Quillset Help": a short outline of the workflow and where the help file
// is. Created on first use; "Close" and the close box hide it.

#include <QWidget>

namespace quillset::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace quillset::ui
