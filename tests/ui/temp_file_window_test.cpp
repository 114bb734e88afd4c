#include <gtest/gtest.h>

#include <QApplication>
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

}  // namespace
}  // namespace quillset::ui
