#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "session.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/temp_file_window.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;

TEST(FolderPartTest, KeepsEverythingUpToTheLastSeparator) {
    EXPECT_EQ(FolderPart("C:\\temp\\x.tmp"), "C:\\temp\\");
    EXPECT_EQ(FolderPart("C:\\temp\\"), "C:\\temp\\");
    EXPECT_EQ(FolderPart("\\\\server\\share\\x"), "\\\\server\\share\\");
    EXPECT_EQ(FolderPart("quillset.tmp"), "");
    EXPECT_EQ(FolderPart(""), "");
    EXPECT_EQ(FolderPart("/tmp/x.tmp"), "/tmp/");
    EXPECT_EQ(FolderPart("/x.tmp"), "/");
    EXPECT_EQ(FolderPart("C:\\a/b\\c.tmp"), "C:\\a/b\\");
}

TEST(FolderOfFileExistsTest, ReportsAMissingFolder) {
    QTemporaryDir dir;
    FakePrompter prompter;
    const std::string folder = dir.path().toStdString();
    EXPECT_TRUE(FolderOfFileExists(folder + "/x.tmp", prompter));
    EXPECT_TRUE(FolderOfFileExists(folder + "/", prompter));
    EXPECT_TRUE(prompter.messages.isEmpty());

    EXPECT_FALSE(FolderOfFileExists(folder + "/none/x.tmp", prompter));
    EXPECT_FALSE(FolderOfFileExists("quillset.tmp", prompter));
    EXPECT_EQ(prompter.messages, QStringList({QString::fromStdString("Folder: " + folder + "/none/ does not exist."),
                                              "Folder:  does not exist."}));
}

class FormTempFileTest : public ::testing::Test {
protected:
    void SetUp() override { form.show(); }
    QLineEdit* Text() { return form.findChild<QLineEdit*>("TxtTempFile"); }
    void ClickOk() { QTest::mouseClick(form.findChild<QPushButton*>("cmdTempFile"), Qt::LeftButton); }

    QTemporaryDir dir;
    FakePrompter prompter;
    FormTempFile form{"quillset.tmp", prompter};
};

TEST_F(FormTempFileTest, ShowsTheCurrentNameAndBothLabelsInFull) {
    EXPECT_EQ(form.objectName(), "FormTempFile");
    EXPECT_EQ(form.windowTitle(), "Error: Temporary File");
    ASSERT_NE(Text(), nullptr);
    EXPECT_EQ(Text()->text(), "quillset.tmp");
    EXPECT_EQ(form.findChild<QPushButton*>("cmdTempFile")->text(), "OK");
    auto* label1 = form.findChild<QLabel*>("Label1");
    auto* label2 = form.findChild<QLabel*>("Label2");
    ASSERT_TRUE(label1 && label2);
    EXPECT_EQ(label1->text(),
              "Error: Quillset was unable to write to the temporary file listed below.  Please key in a "
              "complete filename (including full path) in a folder in which you have write permission.");
    EXPECT_EQ(label2->text(),
              "If Quillset is unable to use the new file, it will exit.  You will have to continue the "
              "process until a valid file is chosen.");
    EXPECT_GE(form.width(), 385);
    for (QLabel* label : {label1, label2}) {
        EXPECT_TRUE(label->wordWrap());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_TRUE(form.rect().contains(label->geometry()));
    }
}

TEST_F(FormTempFileTest, MissingFolderGivesTwoMessagesAndStays) {
    const QString name = dir.filePath("none/new.tmp");
    Text()->setText(name);
    ClickOk();
    EXPECT_EQ(prompter.messages,
              QStringList({"Folder: " + dir.filePath("none/") + " does not exist.", "Folder does not exist"}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.result(), QDialog::Accepted);

    Text()->setText(dir.filePath("new.tmp"));
    ClickOk();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.fileName(), dir.filePath("new.tmp").toStdString());
    EXPECT_EQ(prompter.messages.size(), 2);
}

TEST_F(FormTempFileTest, TitleBarCloseRejects) {
    form.close();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST(AppHostTempFileTest, ModalWindowAnswersWithTheAcceptedName) {
    QTemporaryDir dir;
    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    AppHost host(session, prompter, dialogs);
    const QString wanted = dir.filePath("chosen.tmp");

    QString shownWith;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<FormTempFile*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        auto* text = form->findChild<QLineEdit*>("TxtTempFile");
        shownWith = text->text();
        text->setText(wanted);
        form->findChild<QPushButton*>("cmdTempFile")->click();
    });
    EXPECT_EQ(host.ChooseTempFileName("/none/quillset.tmp"), wanted.toStdString());
    EXPECT_EQ(shownWith, "/none/quillset.tmp");

    QTimer::singleShot(0, [] {
        if (auto* form = QApplication::activeModalWidget()) form->close();
    });
    EXPECT_EQ(host.ChooseTempFileName("/none/quillset.tmp"), std::nullopt);

    host.SetTempFileChooser([](const std::string& current) { return std::optional(current + ".new"); });
    EXPECT_EQ(host.ChooseTempFileName("a.tmp"), "a.tmp.new");
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// Records the pointer shape in force whenever a message box would be up.
class CursorPrompter : public FakePrompter {
public:
    std::vector<std::optional<Qt::CursorShape>> shapes;

    void Inform(const QString& message) override {
        Record();
        FakePrompter::Inform(message);
    }
    bool AskOkCancel(const QString& message) override {
        Record();
        return FakePrompter::AskOkCancel(message);
    }
    bool AskYesNo(const QString& message) override {
        Record();
        return FakePrompter::AskYesNo(message);
    }

private:
    void Record() {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapes.push_back(cursor ? std::optional(cursor->shape()) : std::nullopt);
    }
};

std::optional<Qt::CursorShape> OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

TEST(AppHostModalTest, ModalsShowTheArrowOverABusyPointerAndGiveItBack) {
    QTemporaryDir dir;
    Session session;
    CursorPrompter prompter;
    FakeFileDialogs dialogs;
    AppHost host(session, prompter, dialogs);

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    host.Inform("message");
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    EXPECT_TRUE(host.AskOkCancel("ok or cancel"));
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    EXPECT_TRUE(host.AskYesNo("yes or no"));
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    host.ShowResultsFile(dir.filePath("absent.tmp").toStdString());  // its failure message
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    // The temporary-file window, and the message it gives while it is up.
    std::optional<Qt::CursorShape> inWindow;
    QTimer::singleShot(0, [&] {
        inWindow = OverrideShape();
        auto* form = QApplication::activeModalWidget();
        ASSERT_NE(form, nullptr);
        form->findChild<QLineEdit*>("TxtTempFile")->setText(dir.filePath("none/x.tmp"));
        form->findChild<QPushButton*>("cmdTempFile")->click();
        form->close();
    });
    EXPECT_EQ(host.ChooseTempFileName("quillset.tmp"), std::nullopt);
    EXPECT_EQ(inWindow, Qt::ArrowCursor);
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    EXPECT_EQ(prompter.shapes, std::vector<std::optional<Qt::CursorShape>>(6, Qt::ArrowCursor));
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(OverrideShape(), std::nullopt);

    // Without a busy pointer nothing is overridden.
    host.Inform("idle");
    EXPECT_EQ(prompter.shapes.back(), std::nullopt);
    EXPECT_EQ(OverrideShape(), std::nullopt);
}

}  // namespace
}  // namespace quillset::ui
