// What a desktop user expects of the windows beyond their commands: they
// grow, keep their place and folders, remember recent sources, take dropped
// files, show whole lines and answer to Alt keys.
#include <QAbstractButton>
#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QUrl>
#include <set>

#include "ui/about_window.h"
#include "ui/clobber_window.h"
#include "ui/compare_tab.h"
#include "ui/help_window.h"
#include "ui/temp_file_window.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

// A text symbology line far wider than the preview list.
#define QUILLSET_LONG_LINE                                                                               \
    "004PlanTextSymbology=RD-CURB-TXT,12,3,0,Standard,2.5,2.5,1.2,Annotation,0,0,7,0.0,0.0,0.0,0,0,0,0,1," \
    "0.0,0.0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,END"
const char* const kLong = QUILLSET_LONG_LINE;
const char* const kSource = "[ P - A ]\r\na=1\r\n[ Named Symbology - Curb ]\r\n" QUILLSET_LONG_LINE "\r\n";

class WindowHabitsTest : public quillset::testing::MainWindowFixture {
protected:
    void SetUp() override { sourcePath = Write("source.ini", kSource); }

    // Sends a drag of `file` and its drop to `target`; true when taken.
    static bool Drop(QWidget* target, const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QTest::qWait(1);  // the drop's work runs once the drop has ended
        return enter.isAccepted() && drop.isAccepted();
    }
    // The tool tip shown for the row of `index`, just inside its left end.
    static QString TipAt(QAbstractItemView* view, const QModelIndex& index) {
        const QPoint at = view->visualRect(index).topLeft() + QPoint(4, 4);
        QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &help);
        const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return tip;
    }
    void ShowTab(int index) {
        Get<QTabWidget>("SSTab1")->setCurrentIndex(index);
        QTest::qWait(1);
    }
    void Processed() {
        Source()->setText(sourcePath);
        Click("cmdProcessInput");
        Click("cmdAddAll");
    }
    QStringList RecentFiles() const {
        QStringList names;
        for (QAction* a : window->findChild<QMenu*>("mnuRecentFiles")->actions()) names << a->data().toString();
        return names;
    }
    // Every key that reaches a command of `w` at once: the buttons'
    // shortcuts (an "&" in a caption makes one) and the menu titles'.
    static QStringList KeysOf(QWidget* w) {
        QStringList keys;
        const QWidget* hidden = w->findChild<QWidget*>("SSTabOld");  // never shown
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->window() == w && !(hidden && hidden->isAncestorOf(b)) && !b->shortcut().isEmpty())
                keys << b->shortcut().toString();
        if (auto* main = qobject_cast<QMainWindow*>(w))
            for (QAction* menu : main->menuBar()->actions())
                if (const QKeySequence key = QKeySequence::mnemonic(menu->text()); !key.isEmpty())
                    keys << key.toString();
        return keys;
    }
    std::unique_ptr<ClobberWindow> Clobber() {
        return std::make_unique<ClobberWindow>(window->host(), settings, "control.ini", "test.ini");
    }

    QString sourcePath;
};

TEST_F(WindowHabitsTest, TheListsTakeTheRoomOfAGrownWindowThatShrinksNoSmallerThanBefore) {
    EXPECT_EQ(window->centralWidget()->size(), QSize(704, 702));
    const QSize least = window->size();
    const char* lists[] = {"lstHdrAvail", "lstGreps", "lvHeaders", "lstPrevuTextResize", "lvHeaderCompare"};
    const int tabOf[] = {0, 0, 0, 1, 2};
    auto sizes = [&] {
        std::vector<QSize> s;
        for (int i = 0; i < 5; ++i) {
            ShowTab(tabOf[i]);
            s.push_back(Get(lists[i])->size());
        }
        return s;
    };
    const std::vector<QSize> before = sizes();
    const int inputHeight = Get("frmInput")->height();
    const int column = Get<QTreeView>("lvHeaders")->columnWidth(0);

    window->resize(least + QSize(400, 300));
    QTest::qWait(1);
    const std::vector<QSize> after = sizes();
    for (int i = 0; i < 5; ++i) {
        EXPECT_GT(after[i].width(), before[i].width()) << lists[i];
        EXPECT_GT(after[i].height(), before[i].height()) << lists[i];
    }
    EXPECT_EQ(Get("frmInput")->height(), inputHeight);
    ShowTab(0);
    EXPECT_GT(Get<QTreeView>("lvHeaders")->columnWidth(0), column + 150);  // the columns keep their shares

    window->resize(least - QSize(100, 100));
    EXPECT_EQ(window->size(), least);

    // The confirmation window likewise, its list between the fixed rows.
    auto clobber = Clobber();
    clobber->show();
    const QSize designed = clobber->size();
    auto* list = clobber->findChild<QTreeWidget*>("lvClobber");
    const QSize listBefore = list->size();
    clobber->resize(designed + QSize(300, 200));
    EXPECT_EQ(list->size(), listBefore + QSize(300, 200));
    EXPECT_EQ(list->columnWidth(1), static_cast<int>(list->width() * 0.49));
    clobber->resize(designed / 2);
    EXPECT_EQ(clobber->size(), designed);
    EXPECT_TRUE(clobber->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(WindowHabitsTest, SizePlaceFoldersAndRecentSourcesAreThereForTheNextWindow) {
    const QString other = Write("other.ini", kSource);
    dialogs.answers = {sourcePath};
    Click("cmdBrowseSrvIn");
    Click("cmdProcessInput");
    Source()->setText(other);
    Click("cmdProcessInput");
    Source()->setText(sourcePath);  // again: first once more, not twice
    Click("cmdProcessInput");
    EXPECT_EQ(RecentFiles(), (QStringList{sourcePath, other}));
    Source()->setText(dir.filePath("none.ini"));
    Click("cmdProcessInput");  // only what was processed counts
    EXPECT_EQ(RecentFiles().size(), 2);
    Processed();
    QDir().mkpath(dir.filePath("tests"));
    const QString test = Write("tests/test.ini", kSource);
    dialogs.answers = {test};
    Click("cmdBrowseVictim");
    window->resize(window->size() + QSize(120, 80));
    window->move(40, 50);
    const QRect placed = window->geometry();
    auto clobber = Clobber();
    clobber->show();
    clobber->resize(clobber->size() + QSize(50, 40));
    const QSize clobberSize = clobber->size();
    clobber->hide();  // as after each decision
    clobber.reset();
    window->close();

    window.reset();
    window = std::make_unique<ui::MainWindow>(session, prompter, dialogs, settings);
    window->show();
    EXPECT_EQ(window->geometry(), placed);
    EXPECT_EQ(Clobber()->size(), clobberSize);
    EXPECT_EQ(RecentFiles(), (QStringList{sourcePath, other}));
    // Each box browses in its own folder, whichever name the dialog holds.
    Click("cmdBrowseSrvIn");
    EXPECT_EQ(QDir(dialogs.lastRequest().initialFolder), QDir(dir.path()));
    Processed();
    Click("cmdBrowseVictim");
    EXPECT_EQ(QDir(dialogs.lastRequest().initialFolder), QDir(dir.filePath("tests")));

    // A recent source is taken as typed and confirmed; a vanished one says so.
    window->findChild<QMenu*>("mnuRecentFiles")->actions().at(1)->trigger();
    EXPECT_EQ(Source()->text(), other);
    EXPECT_EQ(Get<QLabel>("lblAllDefs")->text(), "2");
    QFile::remove(other);
    window->findChild<QMenu*>("mnuRecentFiles")->actions().at(1)->trigger();
    EXPECT_EQ(prompter.messages,
              QStringList{"Input file not found.  Key in file name again or use the Browse button."});
    EXPECT_EQ(Source()->text(), "Key in or browse a valid filename!");
}

TEST_F(WindowHabitsTest, ADroppedFileIsTypedIntoTheBoxItLandsOnOrElseIntoTheSourceBox) {
    EXPECT_TRUE(Drop(Source(), sourcePath));
    EXPECT_EQ(Source()->text(), sourcePath);
    EXPECT_EQ(Get<QLabel>("lblAllDefs")->text(), "2");
    EXPECT_TRUE(Drop(Get<QLineEdit>("txtGrep"), dir.filePath("gone.ini")));  // any other box means the source
    EXPECT_EQ(prompter.messages,
              QStringList{"Input file not found.  Key in file name again or use the Browse button."});
    EXPECT_TRUE(Drop(window.get(), sourcePath));
    EXPECT_EQ(Source()->text(), sourcePath);

    Processed();
    const QString test = Write("test.ini", "[ P - A ]\r\na=2\r\n");
    EXPECT_TRUE(Drop(Get<QLineEdit>("txtVictimName"), test));
    EXPECT_EQ(Get<QLineEdit>("txtVictimName")->text(), test);
    EXPECT_EQ(Get<QLabel>("lblCmprDiffs")->text(), "1");
    EXPECT_EQ(Source()->text(), sourcePath);
    EXPECT_TRUE(Drop(Get<QLineEdit>("txtVictimName"), dir.filePath("gone.ini")));
    EXPECT_EQ(prompter.messages.last(), "Victim File Not Found");

    // Text is no file: it is left to the box.
    QMimeData text;
    text.setText("Curb");
    QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(WindowHabitsTest, LongLinesScrollSidewaysAndShowWholeInTheirToolTips) {
    Processed();
    ShowTab(1);
    Click("cmdPreVuResize");
    auto* preview = Get<QListWidget>("lstPrevuTextResize");
    ASSERT_EQ(preview->count(), 5);
    QTest::qWait(1);
    EXPECT_GT(preview->horizontalScrollBar()->maximum(), 0);
    const QModelIndex line = preview->model()->index(2, 0);
    ASSERT_EQ(line.data().toString(), kLong);
    preview->horizontalScrollBar()->setValue(preview->horizontalScrollBar()->maximum());
    const int y = preview->visualRect(line).center().y();
    EXPECT_EQ(preview->indexAt(QPoint(preview->viewport()->width() - 5, y)), line);  // its end in sight
    preview->horizontalScrollBar()->setValue(0);
    EXPECT_EQ(TipAt(preview, preview->model()->index(0, 0)), "");  // the blank row before a header
    EXPECT_EQ(TipAt(preview, line), kLong);

    // In the confirmation window each side scrolls on its own.
    const QString test = Write("test.ini", QByteArray(kSource).replace("2.5,2.5", "2.5,2.0"));
    ShowTab(2);
    Get<QLineEdit>("txtVictimName")->setText(test);
    ClobberWindow* shown = nullptr;
    QString tip;
    int reach[2] = {0, 0};
    QTimer::singleShot(20, [&] {
        shown = window->compareTab()->clobberWindow();
        auto* list = shown->findChild<QTreeWidget*>("lvClobber");
        for (int c = 0; c < 2; ++c)
            reach[c] = shown->findChild<QScrollBar*>(c == 0 ? "hsbControl" : "hsbTest")->maximum();
        tip = TipAt(list, list->model()->index(1, 1));
        shown->findChild<QPushButton*>("cmdSkip")->click();
    });
    Click("cmdFileClobber");
    ASSERT_NE(shown, nullptr);
    EXPECT_GT(reach[0], 0);
    EXPECT_GT(reach[1], 0);
    EXPECT_EQ(tip, QString(kLong).replace("2.5,2.5", "2.5,2.0"));
}

TEST_F(WindowHabitsTest, AltKeysWorkAndNoTwoClashInAWindow) {
    Processed();
    auto clobber = Clobber();
    window->findChild<QAction*>("mnuAboutQuillset")->trigger();
    window->findChild<QAction*>("mnuIniHelp")->trigger();
    FormTempFile temp("quillset.tmp", prompter);
    struct Case {
        QWidget* window;
        int keys;  // the push buttons all have one, and the menus theirs
    } cases[] = {{window.get(), 19}, {clobber.get(), 5}, {window->aboutWindow(), 1},
                 {window->helpWindow(), 0}, {&temp, 0}};
    for (const Case& c : cases) {
        const QStringList keys = KeysOf(c.window);
        EXPECT_EQ(keys.size(), c.keys) << c.window->objectName().toStdString();
        EXPECT_EQ(std::set<QString>(keys.begin(), keys.end()).size(), static_cast<std::size_t>(keys.size()))
            << keys.join(' ').toStdString();
    }

    // Alt+S swaps the lists, on whichever control the focus is.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Get("txtGrep")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTest::qWait(300);  // a shortcut shows the button pressed, then clicks it
    EXPECT_EQ(Model("lstGreps")->rowCount(), 0);
    EXPECT_EQ(Model("lstHdrAvail")->rowCount(), 2);
}

}  // namespace
}  // namespace quillset::ui
