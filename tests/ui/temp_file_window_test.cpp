#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/window_fixture.h"
#include "ui/temp_file_window.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;

TEST(FolderPartTest, KeepsEverythingUpToTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FolderPart("C:\\a/b\\c.tmp"), "C:\\a/b\\");
    EXPECT_EQ(FolderPart("C:\\a\\b/c.tmp"), "C:\\a\\b/");
}

TEST(FormTempFileTest, ShowsTheCurrentNameAndBothLabelsInFull) {
    FakePrompter prompter;
    FormTempFile form("quillset.tmp", prompter);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Error: Temporary File");
    EXPECT_EQ(form.findChild<QLineEdit*>("TxtTempFile")->text(), "quillset.tmp");
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
        EXPECT_TRUE(label->wordWrap() && label->height() >= label->heightForWidth(label->width()) &&
                    form.rect().contains(label->geometry()))
            << label->objectName().toStdString();
    }
}

std::optional<Qt::CursorShape> OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

// Records the pointer shape in force whenever a message box would be up.
struct CursorPrompter : FakePrompter {
    std::vector<std::optional<Qt::CursorShape>> shapes;
    void Inform(const QString& m) override { shapes.push_back(OverrideShape()); FakePrompter::Inform(m); }
    bool AskOkCancel(const QString&) override { shapes.push_back(OverrideShape()); return true; }
    bool AskYesNo(const QString&) override { shapes.push_back(OverrideShape()); return true; }
};

TEST(AppHostModalTest, ModalsShowTheArrowOverABusyPointerAndTheTempWindowAnswers) {
    QTemporaryDir dir;
    Session session;
    CursorPrompter prompter;
    FakeFileDialogs dialogs;
    AppHost host(session, prompter, dialogs);
    // Once the temporary-file window is up: OK on a bare name and on one in a
    // missing folder (both refused), then on `name` if any, then the close box.
    std::optional<Qt::CursorShape> inWindow;
    QString shownWith;
    auto choose = [&](const QString& name) {
        QTimer::singleShot(0, [&, name] {
            auto* form = qobject_cast<FormTempFile*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            inWindow = OverrideShape();
            auto* text = form->findChild<QLineEdit*>("TxtTempFile");
            shownWith = text->text();
            for (const QString& typed : {QString("x.tmp"), dir.filePath("none/x.tmp"), name}) {
                if (typed.isEmpty()) break;
                text->setText(typed);
                form->findChild<QPushButton*>("cmdTempFile")->click();
            }
            form->close();  // unless taken already
        });
        return host.ChooseTempFileName("/none/quillset.tmp");
    };

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    host.Inform("message");
    host.AskOkCancel("ok or cancel");
    host.AskYesNo("yes or no");
    host.ShowResultsFile(dir.filePath("absent.tmp").toStdString());  // its failure message
    EXPECT_EQ(choose({}), std::nullopt);
    EXPECT_EQ(inWindow, Qt::ArrowCursor);
    EXPECT_EQ(shownWith, "/none/quillset.tmp");
    // The window's messages follow the two above.
    EXPECT_EQ(prompter.messages.mid(2), QStringList({"Folder:  does not exist.", "Folder does not exist",
                                                     "Folder: " + dir.filePath("none/") + " does not exist.",
                                                     "Folder does not exist"}));
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    EXPECT_EQ(prompter.shapes, std::vector<std::optional<Qt::CursorShape>>(8, Qt::ArrowCursor));
    QGuiApplication::restoreOverrideCursor();

    // Without a busy pointer nothing is overridden.
    EXPECT_EQ(choose(dir.filePath("chosen.tmp")), dir.filePath("chosen.tmp").toStdString());
    EXPECT_EQ(inWindow, std::nullopt);
    EXPECT_EQ(prompter.shapes.back(), std::nullopt);
    EXPECT_EQ(OverrideShape(), std::nullopt);
}

TEST(MessageBoxPrompterTest, EnterKeepsOkForOkCancelAndNoForYesNo) {
    MessageBoxPrompter prompter;
    QString defaults;
    const auto pressEnter = [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            defaults += box->defaultButton()->text().remove('&') + " ";
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    pressEnter();
    EXPECT_TRUE(prompter.AskOkCancel("ok or cancel"));
    pressEnter();
    EXPECT_FALSE(prompter.AskYesNo("yes or no"));
    EXPECT_EQ(defaults, "OK No ");
}

}  // namespace
}  // namespace quillset::ui
