#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QGroupBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "session.h"
#include "support/fake_host.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;
using quillset::testing::FakeSettings;

// 15 lines: one before the first header, then 7 blocks of two lines.
const char* const kSource =
    "; office standard\r\n"
    "[ Feature Style - Curb ]\r\nA=1\r\n"
    "[ Feature Style - Curb Ramp ]\r\nA=2\r\n"
    "[ Named Symbology - Curb ]\r\nB=1\r\n"
    "[ Feature Filter - Drainage ]\r\nC=1\r\n"
    "[ Dialog Boxes - Position ]\r\nD=1\r\n"
    "[ Wysiwyg Settings - Text ]\r\nW=1\r\n"
    "[ Feature Style - curb ]\r\nE=1\r\n";

const char* const kNotFound = "Input file not found.  Key in file name again or use the Browse button.";
const char* const kEmptySelection = "Please select at least one Keyword from the Available Keywords list.";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings.Save("Tempfile", "FileName", dir.filePath("results.tmp").toStdString());
        window = std::make_unique<MainWindow>(session, prompter, dialogs, settings);
        window->show();
        sourcePath = Write("source.ini", kSource);
    }

    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    template <typename T = QWidget>
    T* Get(const char* name) const {
        auto* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Text(const char* label) const { return Get<QLabel>(label)->text(); }
    void Click(const char* name) { Get<QPushButton>(name)->click(); }
    QAbstractItemModel* Model(const char* view) const { return Get<QAbstractItemView>(view)->model(); }
    QStringList Items(const char* view) const {
        QStringList items;
        QAbstractItemModel* m = Model(view);
        for (int r = 0; r < m->rowCount(); ++r) items << m->index(r, 0).data().toString();
        return items;
    }
    // The header list as "header|order" rows, in the order shown.
    QStringList HeaderRows() const {
        QStringList rows;
        QAbstractItemModel* m = Model("lvHeaders");
        for (int r = 0; r < m->rowCount(); ++r)
            rows << m->index(r, 0).data().toString() + "|" + m->index(r, 1).data().toString();
        return rows;
    }
    void Select(const char* view, const QStringList& keywords) {
        auto* v = Get<QListView>(view);
        v->clearSelection();
        for (const QString& k : keywords) {
            const QModelIndexList hit = v->model()->match(v->model()->index(0, 0), Qt::DisplayRole, k, 1,
                                                          Qt::MatchExactly | Qt::MatchCaseSensitive);
            ASSERT_EQ(hit.size(), 1) << k.toStdString();
            v->selectionModel()->select(hit.front(), QItemSelectionModel::Select);
        }
    }
    void ClickColumn(int column) {
        QHeaderView* header = Get<QTreeView>("lvHeaders")->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }
    bool AllEnabled(const std::vector<QWidget*>& group) const {
        for (QWidget* w : group)
            if (!w->isEnabled()) return false;
        return true;
    }
    bool NoneEnabled(const std::vector<QWidget*>& group) const {
        for (QWidget* w : group)
            if (w->isEnabled()) return false;
        return true;
    }
    void Processed() {
        Get<QLineEdit>("txtSeedIn")->setText(sourcePath);
        Click("cmdProcessInput");
    }
    QByteArray Results() const {
        ResultsWindow* results = window->host().resultsWindow();
        return results ? results->TextBytes() : QByteArray();
    }

    QTemporaryDir dir;
    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeSettings settings;
    std::unique_ptr<MainWindow> window;
    QString sourcePath;
};

TEST_F(MainWindowTest, StartsWithOnlyTheInputFrameUsable) {
    EXPECT_EQ(window->objectName(), "Main");
    EXPECT_TRUE(window->windowTitle().startsWith("Quillset"));
    for (const char* box : {"chkShoFeature", "chkShoSymbol", "chkShoFilters", "chkShoPreferences"})
        EXPECT_TRUE(Get<QCheckBox>(box)->isChecked()) << box;
    EXPECT_FALSE(Get<QCheckBox>("chkPipe")->isChecked());
    for (const char* box : {"chkResizeHeight", "chkResizeWidth", "chkResizeLine"})
        EXPECT_TRUE(Get<QCheckBox>(box)->isChecked()) << box;
    EXPECT_EQ(Get<QLineEdit>("txtTextHeight")->text(), "1.0");
    EXPECT_EQ(Get<QLineEdit>("txtTextWidth")->text(), "0.8");
    EXPECT_EQ(Get<QLineEdit>("txtLineSpace")->text(), "1");
    const auto clobber = window->findChildren<QRadioButton*>("optClobber");
    const auto append = window->findChildren<QRadioButton*>("optAppend");
    ASSERT_EQ(clobber.size(), 3);
    ASSERT_EQ(append.size(), 2);
    EXPECT_EQ(clobber[2]->text(), "Preview Resets");
    EXPECT_TRUE(clobber[2]->isChecked());
    EXPECT_EQ(append[0]->text(), "Append All");
    EXPECT_TRUE(append[0]->isChecked());

    ASSERT_EQ(window->countLabels().size(), 16u);
    for (QWidget* label : window->countLabels())
        EXPECT_TRUE(static_cast<QLabel*>(label)->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_EQ(Model("lstHdrAvail")->rowCount(), 0);
    EXPECT_EQ(Model("lstGreps")->rowCount(), 0);
    EXPECT_EQ(window->listControls().size(), 6u);
    EXPECT_EQ(window->keywordControls().size(), 12u);
    EXPECT_EQ(window->functionControls().size(), 26u);
    EXPECT_EQ(window->compareControls().size(), 13u);
    EXPECT_FALSE(Get("frmHeaders")->isEnabled());
    EXPECT_FALSE(Get("SSTab1")->isEnabled());
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_TRUE(NoneEnabled(window->compareControls()));
    EXPECT_TRUE(Get("frmInput")->isEnabled());
    EXPECT_EQ(Get<QLineEdit>("txtGrep")->text(), "Text1");
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), "key in .INI or .CSV or click -->");

    auto* tabs = Get<QTabWidget>("SSTab1");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(0), "Sort && Exports");
    // The hidden tab set is there for its lists but never shown.
    EXPECT_FALSE(Get("SSTabOld")->isVisible());
    EXPECT_NE(Get("ListMatchingHeaders"), nullptr);

    auto* lv = Get<QTreeView>("lvHeaders");
    const double total = lv->columnWidth(0) / 0.85;
    EXPECT_NEAR(lv->columnWidth(1), total * 0.13, 2.0);
    EXPECT_EQ(lv->model()->headerData(0, Qt::Horizontal).toString(), "All Headers Matching Target Keywords");

    QMenu* whatsNew = window->menuBar()->findChild<QMenu*>("mnuNew");
    ASSERT_NE(whatsNew, nullptr);
    EXPECT_FALSE(whatsNew->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, NamingAnExistingFileCountsItAndPresetsTheCategories) {
    Get<QLineEdit>("txtSeedIn")->setText(sourcePath);
    EXPECT_EQ(Text("lblAllLines"), "15");
    EXPECT_EQ(Text("lblAllDefs"), "7");
    EXPECT_EQ(Text("lblNumFeatures"), "3");
    EXPECT_EQ(Text("lblNumFeatureLines"), "6");
    EXPECT_EQ(Text("lblNumSymbol"), "1");
    EXPECT_EQ(Text("lblNumFilterLines"), "2");
    EXPECT_EQ(Text("lblNumPrefs"), "2");
    EXPECT_EQ(Text("lblPreferenceLines"), "5");
    EXPECT_EQ(Text("lblNumWys"), "1");
    EXPECT_EQ(Text("lblWysLines"), "2");
    EXPECT_TRUE(prompter.messages.isEmpty());

    auto boxes = [this] {
        QString s;
        for (const char* b : {"chkShoFeature", "chkShoSymbol", "chkShoFilters", "chkShoPreferences"})
            s += Get<QCheckBox>(b)->isChecked() ? '1' : '0';
        return s;
    };
    // Only the last three characters count, in any letter case.
    Get<QLineEdit>("txtSeedIn")->setText(Write("sheet.CSV", kSource));
    EXPECT_EQ(boxes(), "1100");
    EXPECT_EQ(Text("lblAllLines"), "15");
    Get<QLineEdit>("txtSeedIn")->setText(Write("prefs.Txt", kSource));
    EXPECT_EQ(boxes(), "0001");
    Get<QLineEdit>("txtSeedIn")->setText(Write("undotted_csv", kSource));
    EXPECT_EQ(boxes(), "1100");
    Get<QLineEdit>("txtSeedIn")->setText(sourcePath);
    EXPECT_EQ(boxes(), "1111");

    // A name that is no file blanks the counts without a message.
    Get<QLineEdit>("txtSeedIn")->setText(sourcePath + "x");
    EXPECT_TRUE(Text("lblAllLines").isEmpty());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, InvalidNameIsReportedOnceOnEnterAndAgainOnlyAfterEditing) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* box = Get<QLineEdit>("txtSeedIn");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "nope.ini");
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(prompter.messages, QStringList{kNotFound});
    EXPECT_EQ(box->text(), "Key in or browse a valid filename!");
    EXPECT_TRUE(box->hasFocus());

    // Leaving the box with the program's own text asks nothing more.
    Get("cmdProcessInput")->setFocus();
    EXPECT_EQ(prompter.messages.size(), 1);

    box->setFocus();
    QTest::keyClicks(box, "x");
    Get("cmdProcessInput")->setFocus();
    EXPECT_EQ(prompter.messages.size(), 2);

    // Enter on an existing name counts it without a message.
    box->setText(sourcePath);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(Text("lblAllLines"), "15");
}

TEST_F(MainWindowTest, BrowseOffersTheSourceFiltersAndRemembersTheLastName) {
    Click("cmdBrowseSrvIn");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const auto& request = dialogs.lastRequest();
    EXPECT_EQ(request.filter,
              "Preference Files (*.ini)|*.ini|Quillset Comma-Separated (*.csv)|*.csv|"
              "Quillset Preferences - tabbed (*.txt)|*.txt");
    EXPECT_EQ(request.filterIndex, 0);
    EXPECT_TRUE(request.mustExist);
    // Cancelled the first time: the box gets the empty previous name.
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), "");
    EXPECT_EQ(prompter.messages, QStringList{kNotFound});

    dialogs.answers.push_back(sourcePath);
    Click("cmdBrowseSrvIn");
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), sourcePath);
    EXPECT_EQ(Text("lblAllLines"), "15");

    Get<QLineEdit>("txtSeedIn")->setText("elsewhere");
    Click("cmdBrowseSrvIn");  // cancelled: the remembered name comes back
    EXPECT_EQ(dialogs.lastRequest().fileName, sourcePath);
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), sourcePath);
    EXPECT_EQ(Text("lblAllLines"), "15");
    EXPECT_EQ(prompter.messages.size(), 1);
}

TEST_F(MainWindowTest, ProcessingAMissingFileOnlyPutsTheFocusBack) {
    Get<QLineEdit>("txtSeedIn")->setText(sourcePath + ".gone");
    Click("cmdProcessInput");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_FALSE(Get("frmHeaders")->isEnabled());
    EXPECT_EQ(Model("lstHdrAvail")->rowCount(), 0);
}

TEST_F(MainWindowTest, TypicalRequestFromProcessingToTheIniSubset) {
    Processed();
    EXPECT_TRUE(Get("frmHeaders")->isEnabled());
    EXPECT_TRUE(AllEnabled(window->keywordControls()));
    EXPECT_TRUE(Get("SSTab1")->isEnabled());
    EXPECT_FALSE(Get("cmdExportHeaders")->isEnabled());
    EXPECT_EQ(Text("lblAllDefs"), "7");
    const QStringList available = Items("lstHdrAvail");
    EXPECT_EQ(available.size(), 6);
    EXPECT_TRUE(available.contains("Curb") && available.contains("curb"));

    Select("lstHdrAvail", {"Curb"});
    Click("cmdAdd");
    EXPECT_EQ(Items("lstGreps"), QStringList{"Curb"});
    EXPECT_FALSE(Items("lstHdrAvail").contains("Curb"));
    EXPECT_TRUE(AllEnabled(window->functionControls()));
    // Feature lines come before symbol lines in the working lines.
    EXPECT_EQ(HeaderRows(), (QStringList{"[ Feature Style - Curb ]|0001", "[ Named Symbology - Curb ]|0002"}));

    // Column clicks flip the direction each time; the core orders the rows.
    ClickColumn(1);
    EXPECT_EQ(HeaderRows().first(), "[ Named Symbology - Curb ]|0002");
    ClickColumn(1);
    EXPECT_EQ(HeaderRows().first(), "[ Feature Style - Curb ]|0001");
    ClickColumn(0);
    EXPECT_EQ(HeaderRows().first(), "[ Named Symbology - Curb ]|0002");

    // Blocks come out in the order shown; the symbol block keeps the empty
    // entry that closes its category in the working lines.
    Click("cmdExportHeaders");
    ASSERT_NE(window->host().resultsWindow(), nullptr);
    EXPECT_EQ(Results().toStdString(),
              std::string("[ Named Symbology - Curb ]\r\nB=1\r\n\r\n[ Feature Style - Curb ]\r\nA=1\r\n\r\n"));
    EXPECT_EQ(session.outputKind, 0);

    // Removing the last keyword disables the functions; the rebuild says why.
    Select("lstGreps", {"Curb"});
    Click("cmdRemoveItem");
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_EQ(prompter.messages, QStringList{kEmptySelection});

    // Closing the main window takes the Results window with it.
    window->close();
    EXPECT_EQ(window->host().resultsWindow(), nullptr);
}

TEST_F(MainWindowTest, GrepAddAllSwapAndClear) {
    Processed();
    auto* grep = Get<QLineEdit>("txtGrep");
    grep->setText("Curb");
    Click("cmdHeaderGrep");
    EXPECT_EQ(Items("lstGreps"), (QStringList{"Curb", "Curb Ramp"}));
    EXPECT_TRUE(Items("lstHdrAvail").contains("curb"));
    EXPECT_TRUE(AllEnabled(window->functionControls()));
    EXPECT_EQ(HeaderRows().size(), 3);

    // Enter in the grep box greps too.
    grep->setText("urb");
    QTest::keyClick(grep, Qt::Key_Return);
    EXPECT_EQ(Items("lstGreps").size(), 3);

    Click("cmdAddAll");
    EXPECT_TRUE(Items("lstHdrAvail").isEmpty());
    EXPECT_EQ(Items("lstGreps").size(), 6);
    EXPECT_EQ(HeaderRows().size(), 7);

    Click("cmdSwapHdr");
    EXPECT_EQ(Items("lstHdrAvail").size(), 6);
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_TRUE(HeaderRows().isEmpty());

    Select("lstHdrAvail", {"Drainage", "Position"});
    Click("cmdAdd");
    EXPECT_EQ(Items("lstGreps"), (QStringList{"Drainage", "Position"}));
    auto* prevu = Get<QListWidget>("lstPrevuTextResize");
    prevu->addItem("stale preview");

    Click("cmdClobClearItems");
    EXPECT_EQ(Items("lstHdrAvail").size(), 6);
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_EQ(prevu->count(), 0);
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, DoubleClickMovesAKeyword) {
    Processed();
    auto* avail = Get<QListView>("lstHdrAvail");
    Select("lstHdrAvail", {"Drainage"});
    const QModelIndex index = avail->selectionModel()->selectedRows().front();
    const QPoint at = avail->visualRect(index).center();
    QTest::mouseClick(avail->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(avail->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Items("lstGreps"), QStringList{"Drainage"});
}

TEST_F(MainWindowTest, CategoryChangeAndRenamingResetTheKeywordState) {
    Processed();
    Click("cmdAddAll");
    ASSERT_FALSE(HeaderRows().isEmpty());
    Get<QCheckBox>("chkShoFilters")->setChecked(false);
    EXPECT_TRUE(Items("lstHdrAvail").isEmpty());
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_FALSE(Get("frmHeaders")->isEnabled());
    EXPECT_FALSE(Get("SSTab1")->isEnabled());
    EXPECT_EQ(Text("lblAllDefs"), "7");  // the counts stay

    // Processed again without filters: Drainage is gone.
    Click("cmdProcessInput");
    EXPECT_FALSE(Items("lstHdrAvail").contains("Drainage"));
    EXPECT_EQ(Items("lstHdrAvail").size(), 5);

    Click("cmdAddAll");
    Get<QLineEdit>("txtVictimName")->setText("test.ini");
    Get<QLineEdit>("txtSeedIn")->setText(sourcePath + " ");
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_EQ(Get<QLineEdit>("txtVictimName")->text(), "key in here or click -->");
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_TRUE(NoneEnabled(window->keywordControls()));
}

TEST_F(MainWindowTest, HundredThousandKeywordsFillBothListsAndTheHeaderList) {
    // Bulk work through the list models; its speed is measured in bench/.
    QByteArray big;
    big.reserve(4'000'000);
    for (int i = 99'999; i >= 0; --i)
        big += "[ Feature Style - K" + QByteArray::number(i).rightJustified(6, '0') + " ]\r\nA=1\r\n";
    const QString path = Write("big.ini", big);
    Get<QLineEdit>("txtSeedIn")->setText(path);
    ASSERT_EQ(Text("lblAllDefs"), "100000");

    Click("cmdProcessInput");
    ASSERT_EQ(Model("lstHdrAvail")->rowCount(), 100'000);
    EXPECT_EQ(Items("lstHdrAvail").first(), "K000000");
    Click("cmdAddAll");
    EXPECT_EQ(Model("lstHdrAvail")->rowCount(), 0);
    EXPECT_EQ(Model("lstGreps")->rowCount(), 100'000);
    ASSERT_EQ(Model("lvHeaders")->rowCount(), 100'000);
    EXPECT_EQ(HeaderRows().first(), "[ Feature Style - K099999 ]|0001");
    EXPECT_EQ(HeaderRows().last(), "[ Feature Style - K000000 ]|100000");
}

// Caption (or initial text) and tool tip of every visible control, looked up
// inside the area that holds it, since some names recur on other tabs.
TEST_F(MainWindowTest, CaptionsAndToolTipsOfTheVisibleControls) {
    struct Expect {
        const char* area;
        const char* name;
        const char* caption;
        const char* tip;
    };
    const QString keywordTip = "Controls in this frame are used to Filter actions to Selected Keywords";
    const Expect table[] = {
        {"frmInput", "Label1", "Source/Control .ini or .csv:", "Source/Control/Seed .INI or .CSV (spreadsheet) file"},
        {"frmInput", "txtSeedIn", "key in .INI or .CSV or click -->", ""},
        {"frmInput", "cmdBrowseSrvIn", "Browse...", "click to browse for .ini or .csv file"},
        {"frmInput", "Label7", "Act On-->", ""},
        {"frmInput", "chkShoFeature", "Feature Styles", ""},
        {"frmInput", "chkShoSymbol", "Named Symbol", ""},
        {"frmInput", "chkShoFilters", "Feature Filters", ""},
        {"frmInput", "chkShoPreferences", "Prefer- ences", ""},
        {"frmInput", "Label4", "incl.   Wys", ""},
        {"frmInput", "Label24", "Total", ""},
        {"frmInput", "Label22", "#", ""},
        {"frmInput", "Label23", "# of Lines ", ""},
        {"frmInput", "cmdProcessInput", "Process Source Ini",
         "Reads the File and Populates the \"Available Keyword\" list below."},
        {"frmHeaders", "lblHdrAvail", "Available Keywords:", ""},
        {"frmHeaders", "lstHdrAvail", nullptr, "Available Keywords from the category Type(s) selected above"},
        {"frmHeaders", "cmdAddAll", "Add All -->>", ""},
        {"frmHeaders", "cmdAdd", "        Add ->", ""},
        {"frmHeaders", "cmdRemoveItem", "<- Remove  ", ""},
        {"frmHeaders", "cmdClobClearItems", "<<--Clear     ", ""},
        {"frmHeaders", "cmdSwapHdr", "<--Swap-->", ""},
        {"frmHeaders", "lblHdrTarget", "Selected Keywords:", ""},
        {"frmHeaders", "lstGreps", nullptr,
         "Only the Keywords listed here will be acted upon and sent to the Results form."},
        {"frmHeaders", "lblHdrGrep", "Keywords Containing :", ""},
        {"frmHeaders", "txtGrep", "Text1", ""},
        {"frmHeaders", "cmdHeaderGrep", "Add-----^", ""},
        {"tab0", "lblHeadersSort", "Clicking on Headers Sorts by that Header", ""},
        {"tab0", "lblFilterExport",
         "These commands search the Definition Headers against all of the above \"Target Keywords.\"  If the "
         "header matches, the entire block is sent to the Results form.",
         ""},
        {"tab0", "cmdExportHeaders", "Export to Ini (subset)",
         "Pulls the Definition Blocks that match any of the above \"Target Keywords\""},
        {"tab0", "cmdExport2CSV", "Export to Spreadsheet (.csv)", "Exports Features and Symbologies to a .csv file"},
        {"tab0", "cmdPref2CSV", "Preference. to TSV", "Exports Only Preferences to a TAB separated .txt file"},
        {"tab0", "Label2", "Caution! ASCII Import/Export is new! Verify results!", ""},
        {"tab1", "frmResizeText", "Resize Text", ""},
        {"tab1", "chkResizeHeight", "Text Height", ""},
        {"tab1", "chkResizeWidth", "Text Width", ""},
        {"tab1", "chkResizeLine", "Line Spacing", ""},
        {"tab1", "framePrevuTextResize", "Preview Affected Lines", ""},
        {"tab1", "cmdPreVuResize", "Preview Resize",
         "Lists all Headers with any (pre-ReSized) lines that will be changed."},
        {"tab1", "cmdResizeText", "Resize Text",
         "Resizes text in Definitions that match the Selected Keywords.  Sends all Definitions to Results form."},
        {"tab1", "Label3",
         "Note: This functionality (and more) can be duplicated using the Spreadsheet Export/Import functions.", ""},
        {"tab1", "chkPipe", "Enable Handling \"|\" Delimited Text Definitions", ""},
        {"tab2", "lblVictim", "Test/Victim/\"Updatee\" .ini", "Match Definitions will be overwritten ONLY in Results form"},
        {"tab2", "txtVictimName", "key in here or click -->", ""},
        {"tab2", "cmdBrowseVictim", "Browse...", ""},
        {"tab2", "lblCmpControlOnly", "Control Only's:", ""},
        {"tab2", "lblCmpTesOnly", "Test Only's:", ""},
        {"tab2", "lblCmpDiffs", "Differents:", ""},
        {"tab2", "lblCmpIdenticals", "Identicals:", ""},
        {"tab2", "framClobber", "\"Standards Reset\" Mode", ""},
        {"tab2", "frmAppend", "Append Mode", ""},
        {"tab2", "cmdFileClobber", "Create Updated File", ""},
    };
    auto* tabs = Get<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Sort && Exports");
    EXPECT_EQ(tabs->tabText(1), "Text Resizer");
    EXPECT_EQ(tabs->tabText(2), "Compare 2 ini's");
    EXPECT_EQ(Get<QGroupBox>("frmInput")->title(), "Input");
    EXPECT_EQ(Get<QGroupBox>("frmHeaders")->title(), "Header Keyword Filter");
    EXPECT_EQ(Get("frmHeaders")->toolTip(), keywordTip);

    auto caption = [](QWidget* w) -> QString {
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
        if (auto* box = qobject_cast<QGroupBox*>(w)) return box->title();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
        return QString();
    };
    for (const Expect& e : table) {
        const QString area = QString::fromLatin1(e.area);
        QWidget* scope = area.startsWith("tab") ? tabs->widget(area.mid(3).toInt()) : Get(e.area);
        ASSERT_NE(scope, nullptr) << e.area;
        auto* w = scope->findChild<QWidget*>(QString::fromLatin1(e.name));
        ASSERT_NE(w, nullptr) << e.area << "/" << e.name;
        if (e.caption) {
            EXPECT_EQ(caption(w), QString::fromLatin1(e.caption)) << e.name;
        }
        EXPECT_EQ(w->toolTip(), QString::fromLatin1(e.tip)) << e.name;
    }
    for (const char* bold : {"Label7", "cmdProcessInput", "cmdResizeText", "cmdFileClobber"})
        EXPECT_TRUE(Get(bold)->font().bold()) << bold;

    const auto clobber = window->findChildren<QRadioButton*>("optClobber");
    const auto append = window->findChildren<QRadioButton*>("optAppend");
    ASSERT_EQ(clobber.size(), 3);
    ASSERT_EQ(append.size(), 2);
    EXPECT_EQ(clobber[0]->text(), "Reset All");
    EXPECT_EQ(clobber[1]->text(), "Reset None");
    EXPECT_EQ(append[1]->text(), "Append None");

    auto* compare = Get<QTreeView>("lvHeaderCompare");
    EXPECT_EQ(compare->model()->headerData(0, Qt::Horizontal).toString(), "Header");
    EXPECT_EQ(compare->model()->headerData(1, Qt::Horizontal).toString(), "Header Location");
    EXPECT_EQ(compare->model()->headerData(2, Qt::Horizontal).toString(), "Line #");
    EXPECT_EQ(Get<QTreeView>("lvHeaders")->model()->headerData(1, Qt::Horizontal).toString(), "Order");
}

TEST_F(MainWindowTest, BrowsingTheNameAlreadyInTheBoxStillResetsTheWindow) {
    Processed();
    Click("cmdAddAll");
    ASSERT_FALSE(HeaderRows().isEmpty());
    dialogs.answers.push_back(sourcePath);
    Click("cmdBrowseSrvIn");
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), sourcePath);
    EXPECT_TRUE(Items("lstHdrAvail").isEmpty());
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_TRUE(NoneEnabled(window->keywordControls()));
    EXPECT_TRUE(NoneEnabled(window->functionControls()));
    EXPECT_EQ(Text("lblAllLines"), "15");
    EXPECT_TRUE(prompter.messages.isEmpty());

    // And it can be processed again at once.
    Click("cmdProcessInput");
    EXPECT_EQ(Items("lstHdrAvail").size(), 6);
}

TEST_F(MainWindowTest, CountingAgainAfterProcessingKeepsTheLoadedSource) {
    Processed();
    auto* box = Get<QLineEdit>("txtSeedIn");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Text("lblAllLines"), "15");
    ASSERT_TRUE(AllEnabled(window->keywordControls()));
    Select("lstHdrAvail", {"Drainage"});
    Click("cmdAdd");
    EXPECT_EQ(HeaderRows(), QStringList{"[ Feature Filter - Drainage ]|0001"});
    Click("cmdExportHeaders");
    EXPECT_EQ(Results().toStdString(), std::string("[ Feature Filter - Drainage ]\r\nC=1\r\n\r\n"));
}

TEST_F(MainWindowTest, ProcessingAgainWaitsForANewSelection) {
    Processed();
    Select("lstHdrAvail", {"Curb"});
    Click("cmdAdd");
    ASSERT_TRUE(AllEnabled(window->functionControls()));
    Click("cmdProcessInput");
    EXPECT_TRUE(Items("lstGreps").isEmpty());
    EXPECT_TRUE(HeaderRows().isEmpty());
    EXPECT_FALSE(Get("cmdExportHeaders")->isEnabled());
    EXPECT_FALSE(Get("cmdResizeText")->isEnabled());
    EXPECT_TRUE(Get("SSTab1")->isEnabled());
    EXPECT_TRUE(AllEnabled(window->keywordControls()));
}

TEST_F(MainWindowTest, ASourceThatAppearsLaterIsProcessedAsItsNameSays) {
    Get<QLineEdit>("txtSeedIn")->setText(Write("sheet.csv", kSource));
    ASSERT_EQ(window->sourceKind(), model::SourceKind::Csv);
    const QString later = dir.filePath("later.ini");
    Get<QLineEdit>("txtSeedIn")->setText(later);
    EXPECT_EQ(window->sourceKind(), model::SourceKind::Ini);
    EXPECT_TRUE(Text("lblAllLines").isEmpty());

    Write("later.ini", kSource);
    for (const char* b : {"chkShoFeature", "chkShoSymbol", "chkShoFilters", "chkShoPreferences"})
        Get<QCheckBox>(b)->setChecked(true);
    Click("cmdProcessInput");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(Items("lstHdrAvail").size(), 6);
    EXPECT_EQ(Text("lblAllLines"), "15");  // counted when it was loaded
}

TEST_F(MainWindowTest, TheCommandLineNameCountsAsTyped) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->TypeSourceName(sourcePath);
    EXPECT_EQ(Text("lblAllLines"), "15");

    window->TypeSourceName(sourcePath + ".gone");
    Get("txtSeedIn")->setFocus();
    Get("cmdProcessInput")->setFocus();  // leaving the box validates the name
    EXPECT_EQ(prompter.messages, QStringList{kNotFound});
    EXPECT_EQ(Get<QLineEdit>("txtSeedIn")->text(), "Key in or browse a valid filename!");
}

}  // namespace
}  // namespace quillset::ui
