#pragma once
// Message boxes titled "Quillset", behind an interface so GUI tests can
// record the messages and answer the questions.

#include <QString>

class QWidget;

namespace quillset::ui {

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void Inform(const QString& message) = 0;
    virtual bool AskOkCancel(const QString& message) = 0;  // true for OK
    virtual bool AskYesNo(const QString& message) = 0;     // true for Yes; No is the default
};

class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void Inform(const QString& message) override;
    bool AskOkCancel(const QString& message) override;
    bool AskYesNo(const QString& message) override;

private:
    QWidget* parent_;
};

}  // namespace quillset::ui
