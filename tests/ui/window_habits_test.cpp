// What a desktop user expects of the windows beyond their commands: they
// grow, keep their place and folders, remember recent sources.
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "ui/clobber_window.h"
#include "ui/compare_tab.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

const char* const kLong =
    "004PlanTextSymbology=RD-CURB-TXT,12,3,0,Standard,2.5,2.5,1.2,Annotation,0,0,7,0.0,0.0,0.0,0,0,0,0,1,0.0,0.0,0,"
    "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,END";
const char* const kSource = "[ P - A ]\r\na=1\r\n[ Named Symbology - Curb ]\r\n004PlanTextSymbology=RD-CURB-TXT,12,3,0,"
                            "Standard,2.5,2.5,1.2,Annotation,0,0,7,0.0,0.0,0.0,0,0,0,0,1,0.0,0.0,0,"
                            "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,END\r\n";

class WindowHabitsTest : public quillset::testing::MainWindowFixture {
protected:
    void SetUp() override { sourcePath = Write("source.ini", kSource); }

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

}  // namespace
}  // namespace quillset::ui
