#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "ui/clobber_window.h"
#include "ui/compare_tab.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

const char* const kSource = "[ P - A ]\r\na=1\r\n[ P - B ]\r\nb=1\r\n[ P - C ]\r\nc=1\r\n[ P - D ]\r\nd=1\r\n";
const char* const kTest = "[ P - C ]\r\nc=9\r\n[ P - A ]\r\na=2\r\n[ P - B ]\r\nb=1\r\n[ P - E ]\r\ne=1\r\n";

class CompareTabTest : public quillset::testing::MainWindowFixture {
protected:
    void SetUp() override {
        Source()->setText(Write("source.ini", kSource));
        Click("cmdProcessInput");
        Click("cmdAddAll");
        testPath = Write("test.ini", kTest);
    }
    QLineEdit* Victim() const { return Get<QLineEdit>("txtVictimName"); }
    QAbstractItemModel* List() const { return Model("lvHeaderCompare"); }
    QString Counters() const {
        QStringList texts;
        for (const char* n : {"lblCmprControlsOnly", "lblCmprTestOnlys", "lblCmprDiffs", "lblCmprIdenticals"})
            texts << Get<QLabel>(n)->text();
        return texts.join(' ');
    }
    // Answers each confirmation window with the next button, noting the
    // header, whether row 1 is highlighted, and the column captions.
    void AnswerPreviews(QStringList buttons) {
        auto* timer = new QTimer(window.get());
        QObject::connect(timer, &QTimer::timeout, [this, timer, buttons]() mutable {
            ClobberWindow* form = window->compareTab()->clobberWindow();
            if (!form || !form->isVisible() || buttons.isEmpty()) return;
            auto* list = form->findChild<QTreeWidget*>("lvClobber");
            previews << list->topLevelItem(0)->text(1) + (list->topLevelItem(1)->background(1).style() ? "*" : "");
            captions = list->headerItem()->text(0) + "|" + list->headerItem()->text(1);
            if (buttons.front() == "close box")
                form->close();
            else
                form->findChild<QPushButton*>(buttons.front())->click();
            buttons.pop_front();
            if (buttons.isEmpty()) timer->stop();
        });
        timer->start(5);
    }
    QString testPath;
    QStringList previews;
    QString captions;
};

TEST_F(CompareTabTest, TypingANameComparesOnceItNamesAFile) {
    // Passing through the untouched box looks for no file.
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Victim(), &leave);
    EXPECT_TRUE(prompter.messages.isEmpty());
    Victim()->clear();
    const QString name = testPath;
    for (int i = 1; i < name.size(); ++i) {
        Victim()->setText(name.left(i));
        ASSERT_EQ(List()->rowCount(), 0) << i;
    }
    EXPECT_FALSE(window->compareControls().front()->isEnabled());
    QTest::keyClicks(Victim(), name.right(1));
    EXPECT_EQ(Rows("lvHeaderCompare").join(' ').toStdString(), "[ P - C ]|Both: Different|0000 [ P - A ]|Both: Different|0001 "
                      "[ P - B ]|Both: Identical|0002 [ P - E ]|TEST .ini Only|0003 "
                      "[ P - D ]|Control ini Only|0009");
    EXPECT_EQ(Counters().toStdString(), "1 1 2 1");
    for (QWidget* w : window->compareControls()) EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_EQ(List()->index(0, 0).data(Qt::ToolTipRole).toString().toStdString(), "Changed: c (control \"1\", test \"9\")");
    EXPECT_TRUE(prompter.messages.isEmpty());

    // Header clicks flip one direction for the whole list.
    auto* header = Get<QTreeView>("lvHeaderCompare")->header();
    header->sectionClicked(0);
    EXPECT_EQ(List()->index(0, 0).data().toString(), "[ P - E ]");
    header->sectionClicked(2);
    EXPECT_EQ(List()->index(0, 2).data().toString(), "0000");

    // Enter on a missing name or on the source's own name: the messages.
    Victim()->setText(dir.filePath("none.ini"));
    QTest::keyClick(Victim(), Qt::Key_Return);
    Victim()->setText(Source()->text());
    EXPECT_EQ(prompter.messages.join('|').toStdString(),
              "Victim File Not Found|Source and Victim files are identical.  Please select a new Victim file.");
    EXPECT_FALSE(window->compareControls().front()->isEnabled());
}

TEST_F(CompareTabTest, PreviewsEveryDifferentRowInOrderUntilARestButton) {
    dialogs.answers = {testPath};
    Click("cmdBrowseVictim");
    EXPECT_EQ(dialogs.lastRequest().filter, "All Files (*.*)|*.*|Preference Files (*.ini)|*.ini");
    EXPECT_EQ(dialogs.lastRequest().filterIndex, 1);
    ASSERT_EQ(Counters().toStdString(), "1 1 2 1");
    Click("cmdBrowseVictim");  // cancelled: the test file and the comparison stay
    EXPECT_EQ(Victim()->text(), testPath);
    ASSERT_EQ(Counters().toStdString(), "1 1 2 1");
    ASSERT_TRUE(Get("cmdFileClobber")->isEnabled());
    struct Case {
        QStringList buttons;
        bool closeAnswer;
        int previews;
        QByteArray cBlock, aBlock;  // the body line written for C and for A
    } cases[] = {
        {{"cmdClobber", "cmdSkip"}, true, 2, "c=1", "a=2"},
        {{"cmdClobberAll"}, true, 1, "c=1", "a=1"},
        {{"cmdSkipAll"}, true, 1, "c=9", "a=2"},
        {{"cmdCloseClobber"}, false, 1, "c=9", "a=2"},
        {{"close box"}, true, 1, "c=1", "a=1"},
    };
    for (const Case& c : cases) {
        previews.clear();
        prompter.answers = {c.closeAnswer};
        prompter.questions.clear();
        AnswerPreviews(c.buttons);
        Click("cmdFileClobber");
        EXPECT_EQ(previews.size(), c.previews) << c.buttons.join(',').toStdString();
        EXPECT_EQ(previews.join(',').toStdString(), c.previews == 2 ? "[ P - C ]*,[ P - A ]*" : "[ P - C ]*");
        EXPECT_EQ(prompter.questions.size(), c.buttons.front().contains("lose") ? 1 : 0);
        EXPECT_TRUE(Results().endsWith("[ P - C ]\r\n" + c.cBlock + "\r\n[ P - A ]\r\n" + c.aBlock +
                                       "\r\n[ P - B ]\r\nb=1\r\n[ P - E ]\r\ne=1\r\n[ P - D ]\r\nd=1\r\n\r\n"))
            << Results().toStdString();
        EXPECT_FALSE(window->compareTab()->clobberWindow()->isVisible());
    }
    // The column headers keep the names of the first run.
    EXPECT_EQ(captions.toStdString(), ("Control File: " + Source()->text() +
                                       "|Test File:" + testPath).toStdString());

    // Reset All with Append None: no window, no control-only block.
    window->findChildren<QRadioButton*>("optClobber")[0]->setChecked(true);
    window->findChildren<QRadioButton*>("optAppend")[1]->setChecked(true);
    previews.clear();
    Click("cmdFileClobber");
    EXPECT_TRUE(previews.isEmpty());
    EXPECT_TRUE(Results().endsWith("[ P - E ]\r\ne=1\r\n\r\n"));
}

TEST_F(CompareTabTest, SurveysSeveralTestFilesIntoAReportToOpenAndSave) {
    QStringList opened;
    window->host().SetDocumentOpener([&](const QString& path) { opened << path; });
    const QString second = Write("second.ini", kSource);
    dialogs.severalAnswers.push_back({testPath, second, dir.filePath("gone.ini")});
    dialogs.answers.push_back(dir.filePath("report.html"));
    Click("cmdSurvey");
    EXPECT_EQ(dialogs.calls[dialogs.calls.size() - 2].kind, quillset::testing::FakeFileDialogs::Kind::OpenSeveral);
    // The unreadable one is named; the report opens, then is saved.
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("gone.ini"));
    ASSERT_EQ(opened.size(), 1);
    const QByteArray shown = quillset::testing::ReadFile(opened[0]);
    EXPECT_EQ(quillset::testing::ReadFile(dir.filePath("report.html")), shown);
    EXPECT_TRUE(shown.contains("3 variants against ") && shown.contains("the 4 Selected Keywords"));
    EXPECT_TRUE(shown.contains("<td class=\"block\">[ P - E ]</td>"));
    QFile::remove(opened[0]);

    // Saving over an existing file is refused; a single comparison is untouched.
    dialogs.severalAnswers.push_back({testPath});
    dialogs.answers.push_back(dir.filePath("report.html"));
    Click("cmdSurvey");
    EXPECT_TRUE(prompter.messages.last().endsWith("already exists!  Please Select a different file name."));
    EXPECT_EQ(List()->rowCount(), 0);
    QFile::remove(opened.last());
}

}  // namespace
}  // namespace quillset::ui
