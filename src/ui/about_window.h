#pragma once
// "About Quillset": title, version and a few fixed notes. Created on each
// use; "OK" destroys it.

#include <QWidget>

namespace quillset::ui {

class Prompter;

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(Prompter& prompter, QWidget* parent = nullptr);

private:
    void StartSysInfo();

    Prompter& prompter_;
};

}  // namespace quillset::ui
