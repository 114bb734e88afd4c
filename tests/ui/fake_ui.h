#pragma once
// Fakes for the windows' modal parts: a Prompter that records every message
// and answers questions from a queue, and file dialogs that return scripted
// paths and record what they were asked for.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "platform/file_dialogs.h"
#include "ui/prompter.h"

namespace quillset::testing {

class FakePrompter : public ui::Prompter {
public:
    QStringList messages;        // every Inform, in order
    QStringList questions;       // every AskOkCancel / AskYesNo, in order
    std::deque<bool> answers;    // next answers; true (OK / Yes) when empty

    void Inform(const QString& message) override { messages.append(message); }
    bool AskOkCancel(const QString& message) override { return Answer(message); }
    bool AskYesNo(const QString& message) override { return Answer(message); }

private:
    bool Answer(const QString& message) {
        questions.append(message);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeFileDialogs : public platform::FileDialogs {
public:
    enum class Kind { Open, Save, OpenSeveral };
    struct Call {
        Kind kind;
        platform::FileDialogRequest request;
    };

    std::vector<Call> calls;                      // every dialog shown, in order
    std::deque<std::optional<QString>> answers;   // next results; nullopt (cancel) when empty
    std::deque<QStringList> severalAnswers;       // next OpenFiles results; cancel when empty

    std::optional<QString> OpenFile(QWidget*, const platform::FileDialogRequest& request) override {
        return Answer(Kind::Open, request);
    }
    std::optional<QString> SaveFile(QWidget*, const platform::FileDialogRequest& request) override {
        return Answer(Kind::Save, request);
    }
    std::optional<QStringList> OpenFiles(QWidget*, const platform::FileDialogRequest& request) override {
        calls.push_back({Kind::OpenSeveral, request});
        if (severalAnswers.empty()) return std::nullopt;
        QStringList names = severalAnswers.front();
        severalAnswers.pop_front();
        return names;
    }

    const platform::FileDialogRequest& lastRequest() const { return calls.back().request; }

private:
    std::optional<QString> Answer(Kind kind, const platform::FileDialogRequest& request) {
        calls.push_back({kind, request});
        if (answers.empty() || !answers.front()) {
            if (!answers.empty()) answers.pop_front();
            return std::nullopt;
        }
        QString name = *answers.front();
        answers.pop_front();
        return name;
    }
};

}  // namespace quillset::testing
