#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QLocale>
#include <QMap>
#include <QMenuBar>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/out_of_memory.h"
#include "support/address_limit.h"
#include "ui/text.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

// 18 lines, 7 blocks after one line before the first header; the block sizes
// differ so that every neighbouring pair of count labels shows different numbers.
const char* const kSource =
    "; office standard\r\n"
    "[ Feature Style - Curb ]\r\nA=1\r\n"
    "[ Feature Style - Curb Ramp ]\r\nA=2\r\n"
    "[ Named Symbology - Curb ]\r\nB=1\r\nB=2\r\n"
    "[ Feature Filter - Drainage ]\r\nC=1\r\nC=2\r\nC=3\r\n"
    "[ Dialog Boxes - Position ]\r\nD=1\r\n"
    "[ Wysiwyg Settings - Text ]\r\nW=1\r\n"
    "[ Feature Style - curb ]\r\nE=1\r\n";
// Defs and lines of features, symbols, filters, preferences, all, then Wysiwyg lines and defs.
const char* const kCounts = "3 6 1 3 1 4 2 5 7 18 2 1";

const char* const kNotFound = "Input file not found.  Key in file name again or use the Browse button.";
const char* const kReplacement = "Key in or browse a valid filename!";
const char* const kBoxes[] = {"chkShoFeature", "chkShoSymbol", "chkShoFilters", "chkShoPreferences"};
// See State(): nothing usable below the input frame, and the state right after processing.
const char* const kReset = "avail 0, selected 0, rows 0, functions 0, keywords 0";
const char* const kProcessed = "avail 6, selected 0, rows 0, functions 1, keywords 12";

class MainWindowTest : public quillset::testing::MainWindowFixture {
protected:
    void SetUp() override { sourcePath = Write("source.ini", kSource); }

    // The twelve source count labels, read by name, in the order of kCounts.
    QString Counts() const {
        QStringList texts;
        for (const char* name : {"lblNumFeatures", "lblNumFeatureLines", "lblNumSymbol", "lblNumSymbolLines",
                                 "lblNumFilters", "lblNumFilterLines", "lblNumPrefs", "lblPreferenceLines",
                                 "lblAllDefs", "lblAllLines", "lblWysLines", "lblNumWys"})
            texts << Get<QLabel>(name)->text();
        return texts.join(' ').trimmed();
    }
    QString Boxes() const {
        QString s;
        for (const char* b : kBoxes) s += Get<QCheckBox>(b)->isChecked() ? '1' : '0';
        return s;
    }
    static int EnabledIn(const std::vector<QWidget*>& group) {
        return static_cast<int>(std::count_if(group.begin(), group.end(), [](QWidget* w) { return w->isEnabled(); }));
    }
    // List sizes and how many of the 26 function and 12 keyword controls are usable.
    QString State() const {
        return QString("avail %1, selected %2, rows %3, functions %4, keywords %5")
            .arg(Model("lstHdrAvail")->rowCount()).arg(Model("lstGreps")->rowCount())
            .arg(Model("lvHeaders")->rowCount()).arg(EnabledIn(window->functionControls()))
            .arg(EnabledIn(window->keywordControls()));
    }
    void Select(const char* view, const QStringList& keywords) {
        Get<QListView>(view)->clearSelection();
        for (const QString& k : keywords) {
            const int row = Rows(view).indexOf(k);
            EXPECT_GE(row, 0) << k.toStdString();
            Get<QListView>(view)->selectionModel()->select(Model(view)->index(row, 0), QItemSelectionModel::Select);
        }
    }
    // What the window shows below the source box, to compare after a
    // command that must leave it alone: the lines that differ, or nothing.
    QStringList Shown() {
        return {"counts: " + Counts(), "state: " + State(), "available: " + Rows("lstHdrAvail").join(", "),
                "header list: " + Rows("lvHeaders").join(", "),
                "results: " + QString::fromLatin1(Results().left(200)) + " (" + QString::number(Results().size()) +
                    " bytes, hash " + QString::number(qHash(Results())) + ")"};
    }
    static QStringList Changed(const QStringList& before, const QStringList& after) {
        QStringList changed;
        for (qsizetype i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) changed << after[i];
        return changed;
    }
    // Curb exported to the Results window; what is shown then.
    QStringList ExportedCurb() {
        Processed();
        Select("lstHdrAvail", {"Curb"});
        Click("cmdAdd");
        Click("cmdExportHeaders");
        return Shown();
    }
    void Processed() {
        Source()->setText(sourcePath);
        Click("cmdProcessInput");
    }

    QString sourcePath;
};

TEST_F(MainWindowTest, StartsWithOnlyTheInputFrameUsable) {
    EXPECT_TRUE(window->windowTitle().startsWith("Quillset"));
    for (QWidget* label : window->countLabels())
        EXPECT_TRUE(static_cast<QLabel*>(label)->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_EQ(State(), kReset);
    EXPECT_TRUE(Get("frmInput")->isEnabled());
    EXPECT_EQ(Get<QTabWidget>("SSTab1")->currentIndex(), 0);
    EXPECT_FALSE(Get("SSTabOld")->isVisible());  // there for its lists, never shown
    EXPECT_FALSE(window->menuBar()->findChild<QMenu*>("mnuNew")->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, NamingASourceCountsItPresetsTheCategoriesAndFixesItsKind) {
    // Only the last three characters count, in any letter case.
    for (auto [name, boxes] : {std::pair{"source.ini", "1111"}, {"prefs.Txt", "0001"}, {"undotted_csv", "1100"},
                               {"sheet.CSV", "1100"}}) {
        Source()->setText(Write(name, kSource));
        EXPECT_EQ(Counts(), kCounts) << name;
        EXPECT_EQ(Boxes(), boxes) << name;
    }
    ASSERT_EQ(window->sourceKind(), model::SourceKind::Csv);

    // A name that is no file blanks the counts; Process then does nothing and says nothing.
    Source()->setText(dir.filePath("later.ini"));
    EXPECT_EQ(window->sourceKind(), model::SourceKind::Ini);
    EXPECT_EQ(Counts(), "");
    Click("cmdProcessInput");
    EXPECT_EQ(State(), kReset);

    // Once the file appears it is processed as its name says.
    Write("later.ini", kSource);
    for (const char* b : kBoxes) Get<QCheckBox>(b)->setChecked(true);
    Click("cmdProcessInput");
    EXPECT_EQ(State(), kProcessed);
    EXPECT_EQ(Counts(), kCounts);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, TypedNamesAreValidatedOnEnterAndOnLeavingOnlyAfterEditing) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QLineEdit* box = Source();
    auto leave = [this] { Get("cmdProcessInput")->setFocus(); };
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "nope.ini");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), kReplacement);
    EXPECT_TRUE(box->hasFocus());
    leave();  // the program's own text asks nothing more
    EXPECT_EQ(prompter.messages, QStringList{kNotFound});
    box->setFocus();
    QTest::keyClicks(box, "x");
    leave();
    EXPECT_EQ(prompter.messages.size(), 2);

    // A name from the command line counts as typed; Enter on an existing name says nothing.
    window->TypeSourceName(sourcePath);
    EXPECT_EQ(Counts(), kCounts);
    QTest::keyClick(box, Qt::Key_Return);
    window->TypeSourceName(sourcePath + ".gone");
    box->setFocus();
    leave();
    EXPECT_EQ(prompter.messages, (QStringList{kNotFound, kNotFound, kNotFound}));
    EXPECT_EQ(box->text(), kReplacement);
}

TEST_F(MainWindowTest, BrowseOffersTheSourceFiltersRemembersTheLastNameAndCancelChangesNothing) {
    Click("cmdBrowseSrvIn");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.lastRequest().filter,
              "Preference Files (*.ini)|*.ini|Quillset Comma-Separated (*.csv)|*.csv|"
              "Quillset Preferences - tabbed (*.txt)|*.txt");
    EXPECT_TRUE(dialogs.lastRequest().filterIndex == 0 && dialogs.lastRequest().mustExist);

    dialogs.answers.push_back(sourcePath);
    Click("cmdBrowseSrvIn");
    Click("cmdProcessInput");
    const QString processed = State();
    Click("cmdBrowseSrvIn");  // cancelled: the box, the counts and the lists stay
    EXPECT_EQ(dialogs.lastRequest().fileName, sourcePath);
    EXPECT_EQ(Source()->text(), sourcePath);
    EXPECT_EQ(Counts(), kCounts);
    EXPECT_EQ(State(), processed);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, TypicalRequestFromProcessingToTheIniSubset) {
    Processed();
    EXPECT_EQ(State(), kProcessed);  // of the function controls only the tab control itself
    EXPECT_TRUE(Get("SSTab1")->isEnabled());
    QTest::keyClick(Source(), Qt::Key_Return);  // counting again keeps the loaded source
    EXPECT_EQ(Counts(), kCounts);

    Select("lstHdrAvail", {"Curb"});
    Click("cmdAdd");
    EXPECT_EQ(Rows("lstHdrAvail"), (QStringList{"curb", "Curb Ramp", "Drainage", "Position", "Text"}));
    EXPECT_EQ(Rows("lstGreps"), QStringList{"Curb"});
    EXPECT_EQ(EnabledIn(window->functionControls()), 26);
    EXPECT_EQ(EnabledIn(window->compareControls()), 0);  // they wait for the compare
    // Feature lines come before symbol lines in the working lines.
    EXPECT_EQ(Rows("lvHeaders"), (QStringList{"[ Feature Style - Curb ]|0001", "[ Named Symbology - Curb ]|0002"}));

    // A click on the Order column sorts by it, descending; the core orders the rows.
    QHeaderView* header = Get<QTreeView>("lvHeaders")->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(Rows("lvHeaders").first(), "[ Named Symbology - Curb ]|0002");

    // Blocks come out in the order shown; the symbol block keeps the empty
    // entry that closes its category in the working lines.
    Click("cmdExportHeaders");
    ASSERT_NE(window->host().resultsWindow(), nullptr);
    EXPECT_EQ(window->host().resultsWindow()->TextBytes(),
              "[ Named Symbology - Curb ]\r\nB=1\r\nB=2\r\n\r\n[ Feature Style - Curb ]\r\nA=1\r\n\r\n");
    EXPECT_EQ(session.outputKind, 0);

    // Delete in Selected Keywords removes as the button does.
    Select("lstHdrAvail", {"curb"});
    Click("cmdAdd");
    Select("lstGreps", {"curb"});
    QTest::keyClick(Get("lstGreps"), Qt::Key_Delete);
    EXPECT_EQ(Rows("lstGreps"), QStringList{"Curb"});

    // Removing the last keyword disables the functions; the rebuild says why.
    Select("lstGreps", {"Curb"});
    Click("cmdRemoveItem");
    EXPECT_EQ(State(), "avail 6, selected 0, rows 0, functions 0, keywords 12");
    EXPECT_EQ(prompter.messages,
              QStringList{"Please select at least one Keyword from the Available Keywords list."});

    // The exported text was never saved: Cancel keeps everything open.
    prompter.answers.push_back(false);
    window->close();
    EXPECT_TRUE(prompter.questions.last().startsWith("The Results window holds text that has not been saved."));
    ASSERT_NE(window->host().resultsWindow(), nullptr);
    window->close();  // OK: takes the Results window with it
    EXPECT_EQ(window->host().resultsWindow(), nullptr);
}

TEST_F(MainWindowTest, SpreadsheetAndTabExportsReadBackAsSources) {
    Source()->setText(Write("std.ini", "[ Feature Style - Curb ]\r\n000SymbologyName=Curb\r\n"
                                       "[ Named Symbology - Curb ]\r\n003PlanLineSymbology=CURB,5,1\r\n"
                                       "[ Preferences - General ]\r\n001B=2\r\n"));
    Click("cmdProcessInput");
    Click("cmdAddAll");
    Click("cmdExport2CSV");
    const QByteArray csv = window->host().resultsWindow()->TextBytes();
    EXPECT_EQ(session.outputKind, 1);
    Click("cmdPref2CSV");
    EXPECT_EQ(session.outputKind, 2);
    EXPECT_EQ(prompter.messages, (QStringList{"# of Preferences: 6\nMax # of Preflines: 3", "ary2DPref() = (6,3)"}));

    settings.Save("TempCSV", "FileName", dir.filePath("conv.tmp").toStdString());
    Source()->setText(Write("std.csv", csv));
    EXPECT_EQ(Boxes(), "1100");
    Click("cmdProcessInput");
    EXPECT_EQ(Rows("lstHdrAvail"), QStringList{"Curb"});
    // The labels count the conversion file: 17 feature lines, 2 symbology
    // lines. The preference row is dropped unchecked: only a symbology row
    // has a level cell.
    EXPECT_EQ(Counts(), "1 17 1 2 0 0 0 0 2 19 0 0");
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(session.tempFileName, dir.filePath("conv.tmp").toStdString());

    Source()->setText(Write("std.txt", "[ Preferences - General ]\t[ P2 ]\r\n\t000A=1\r\n001B=2\r\n"));
    Click("cmdProcessInput");
    EXPECT_EQ(Rows("lstHdrAvail"), (QStringList{"[ P2 ]", "General"}));
    EXPECT_EQ(prompter.messages.size(), 2);
}

TEST_F(MainWindowTest, TextResizerPreviewsAndSendsTheWholeTextWithPointDecimals) {
    Source()->setText(Write("sizes.ini", "[ Feature Style - Road ]\r\n001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,S\r\n"
                                         "[ Named Symbology - Road ]\r\n004PlanTextSymbology=L|1|0|0|3|2|2|1|S\r\n"
                                         "[ Named Symbology - Curb ]\r\n001DefaultTextSymbology=L,1,0,0,3,2,2,1,S\r\n"));
    Click("cmdProcessInput");
    Get<QLineEdit>("txtGrep")->setText("Road");
    Click("cmdHeaderGrep");
    Click("cmdPreVuResize");
    const QStringList preview{"  ", "[ Feature Style - Road ]", "001DefaultTextSymbology=L,1,0,0,3,2.0,2.0,1.5,S",
                              "  ", "[ Named Symbology - Road ]", "004PlanTextSymbology=L|1|0|0|3|2|2|1|S"};
    EXPECT_EQ(Rows("lstPrevuTextResize"), preview);

    // Typed in a decimal-comma locale's form, written with ".".
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Get<QLineEdit>("txtTextWidth")->setText("0,75");
    Get<QCheckBox>("chkResizeHeight")->setChecked(false);
    Get<QCheckBox>("chkPipe")->setChecked(true);
    Click("cmdResizeText");
    QLocale::setDefault(QLocale::system());
    ASSERT_NE(window->host().resultsWindow(), nullptr);
    EXPECT_EQ(window->host().resultsWindow()->TextBytes(),
              "[ Feature Style - Road ]\r\n001DefaultTextSymbology=L,1,0,0,3,2.0,0.75,1,S\r\n\r\n"
              "[ Named Symbology - Road ]\r\n004PlanTextSymbology=L|1|0|0|3|2|0.75|1|S\r\n"
              "[ Named Symbology - Curb ]\r\n001DefaultTextSymbology=L,1,0,0,3,2,2,1,S\r\n\r\n");

    // A vanished source leaves the preview as it was; Clear empties it.
    QFile::remove(Source()->text());
    Click("cmdPreVuResize");
    EXPECT_EQ(prompter.messages, QStringList{"Invalid source.ini, exiting..."});
    EXPECT_EQ(Rows("lstPrevuTextResize"), preview);
    Click("cmdClobClearItems");
    EXPECT_TRUE(Rows("lstPrevuTextResize").isEmpty());
}

TEST_F(MainWindowTest, GrepProcessAgainAddAllSwapDoubleClickAndClear) {
    Processed();
    auto* grep = Get<QLineEdit>("txtGrep");
    grep->setText("Curb");
    Click("cmdHeaderGrep");
    EXPECT_EQ(Rows("lstGreps"), (QStringList{"Curb", "Curb Ramp"}));
    EXPECT_EQ(State(), "avail 4, selected 2, rows 3, functions 26, keywords 12");
    Click("cmdProcessInput");  // processing again waits for a new selection
    EXPECT_EQ(State(), kProcessed);
    grep->setText("urb");
    QTest::keyClick(grep, Qt::Key_Return);  // Enter greps too
    EXPECT_EQ(State(), "avail 3, selected 3, rows 4, functions 26, keywords 12");
    Click("cmdAddAll");
    EXPECT_EQ(State(), "avail 0, selected 6, rows 7, functions 26, keywords 12");
    Click("cmdSwapHdr");
    EXPECT_EQ(State(), "avail 6, selected 0, rows 0, functions 0, keywords 12");

    auto* avail = Get<QListView>("lstHdrAvail");
    Select("lstHdrAvail", {"Drainage"});
    const QPoint at = avail->visualRect(avail->selectionModel()->selectedRows().front()).center();
    QTest::mouseClick(avail->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(avail->viewport(), Qt::LeftButton, {}, at);
    Select("lstHdrAvail", {"Position", "Text"});
    Click("cmdAdd");
    EXPECT_EQ(Rows("lstGreps"), (QStringList{"Drainage", "Position", "Text"}));
    Get<QListWidget>("lstPrevuTextResize")->addItem("stale preview");

    Click("cmdClobClearItems");
    EXPECT_EQ(State(), "avail 6, selected 0, rows 0, functions 0, keywords 12");
    EXPECT_EQ(Get<QListWidget>("lstPrevuTextResize")->count(), 0);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, CategoryChangeBrowsingTheSameNameAndRenamingResetTheKeywordState) {
    Processed();
    Click("cmdAddAll");
    Get<QCheckBox>("chkShoFilters")->setChecked(false);
    EXPECT_EQ(State(), kReset);
    EXPECT_EQ(Counts(), kCounts);  // the counts stay
    Click("cmdProcessInput");      // without filters Drainage is gone
    EXPECT_EQ(Rows("lstHdrAvail"), (QStringList{"Curb", "curb", "Curb Ramp", "Position", "Text"}));

    // Browsing the name already in the box is a change of name all the same.
    Click("cmdAddAll");
    dialogs.answers.push_back(sourcePath);
    Click("cmdBrowseSrvIn");
    EXPECT_EQ(State(), kReset);
    EXPECT_EQ(Boxes(), "1111");
    EXPECT_EQ(Counts(), kCounts);
    Click("cmdProcessInput");  // and it can be processed again at once
    EXPECT_EQ(State(), kProcessed);

    Click("cmdAddAll");
    Get<QLineEdit>("txtVictimName")->setText("test.ini");
    Source()->setText(sourcePath + " ");
    EXPECT_EQ(State(), kReset);
    EXPECT_EQ(Get<QLineEdit>("txtVictimName")->text(), "key in here or click -->");
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowTest, HundredThousandKeywordsFillBothListsAndTheHeaderList) {
    // Bulk work through the list models; its speed is measured in bench/.
    QByteArray big;
    for (int i = 99'999; i >= 0; --i)
        big += "[ Feature Style - K" + QByteArray::number(i).rightJustified(6, '0') + " ]\r\nA=1\r\n";
    Source()->setText(Write("big.ini", big));
    ASSERT_EQ(Get<QLabel>("lblAllDefs")->text(), "100000");
    Click("cmdProcessInput");
    ASSERT_EQ(Rows("lstHdrAvail").value(0), "K000000");
    Click("cmdAddAll");
    EXPECT_EQ(State(), "avail 0, selected 100000, rows 100000, functions 26, keywords 12");
    const QStringList rows = Rows("lvHeaders");
    EXPECT_EQ(rows.value(0), "[ Feature Style - K099999 ]|0001");
    EXPECT_EQ(rows.value(99'999), "[ Feature Style - K000000 ]|100000");
}

TEST_F(MainWindowTest, AFileTooLargeForTheMemoryIsAMessageAndWhatWasShownStays) {
    if (!testing::kAddressLimitWorks) GTEST_SKIP() << testing::kNoAddressLimit;
    const QStringList before = ExportedCurb();
    ASSERT_FALSE(Results().isEmpty());
    // The file grew on disk since: 20 MB that need over 140 MB once loaded.
    testing::WriteFile(sourcePath, QByteArray::fromStdString(testing::HugeSource(4'000'000)));

    // In a child process, so the limit ends with it; it says what differs.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            prompter.messages.clear();
            if (!testing::LimitAddressSpace(48 << 20)) std::_Exit(2);
            Click("cmdProcessInput");
            QStringList wrong = Changed(before, Shown());
            if (prompter.messages != QStringList{FromMessage(kOutOfMemoryMessage)})
                wrong << "messages: " + prompter.messages.join(" / ");
            std::fputs(qPrintable(wrong.join('\n')), stderr);
            std::_Exit(wrong.isEmpty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainWindowTest, CancelInTheProgressWindowLeavesEverythingAsItWas) {
    const QStringList before = ExportedCurb();
    testing::WriteFile(sourcePath, "[ Feature Style - Other ]\r\nA=1\r\n");
    window->host().SetProgressDelay(0);
    const auto progressWindows = [] {
        QList<QProgressDialog*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(w)) found << dialog;
        return found;
    };
    // Cancel is pressed as soon as the window shows.
    for (const char* button : {"cmdProcessInput", "cmdExportHeaders", "cmdExportHeaders"}) {
        SCOPED_TRACE(button);
        QStringList shown;
        QTimer::singleShot(0, [&] {
            for (QProgressDialog* dialog : progressWindows()) {
                shown << dialog->labelText();
                dialog->cancel();
            }
        });
        Click(button);
        EXPECT_EQ(shown.size(), 1);
        EXPECT_TRUE(progressWindows().isEmpty());
        EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('|').toStdString();
        EXPECT_EQ(Changed(before, Shown()), QStringList());
    }
    Click("cmdProcessInput");  // not cancelled: the new file is loaded
    EXPECT_EQ(Rows("lstHdrAvail"), QStringList{"Other"});
}

// What every visible control shows at start-up: caption or text ("[x] " in
// front when ticked) and tool tip (none unless listed), looked up inside the
// area that holds it, since some names recur on other tabs.
TEST_F(MainWindowTest, CaptionsAndToolTipsOfTheVisibleControls) {
    struct Expect {
        const char* area;  // "" for the window, "tabN" for a page of SSTab1, else a frame
        const char* name;
        const char* caption;  // "" for a list
    };
    const Expect table[] = {
        {"", "frmInput", "Input"}, {"", "frmHeaders", "Header Keyword Filter"},
        {"frmInput", "Label1", "Source/Control .ini or .csv:"},
        {"frmInput", "txtSeedIn", "key in .INI or .CSV or click -->"}, {"frmInput", "cmdBrowseSrvIn", "Browse..."},
        {"frmInput", "Label7", "Act On-->"}, {"frmInput", "chkShoFeature", "[x] Feature Styles"},
        {"frmInput", "chkShoSymbol", "[x] Named Symbol"}, {"frmInput", "chkShoFilters", "[x] Feature Filters"},
        {"frmInput", "chkShoPreferences", "[x] Prefer- ences"}, {"frmInput", "Label4", "incl.   Wys"},
        {"frmInput", "Label24", "Total"}, {"frmInput", "Label22", "#"}, {"frmInput", "Label23", "# of Lines "},
        {"frmInput", "cmdProcessInput", "Process Source Ini"},
        {"frmHeaders", "lblHdrAvail", "Available Keywords:"}, {"frmHeaders", "lstHdrAvail", ""},
        {"frmHeaders", "cmdAddAll", "Add All -->>"}, {"frmHeaders", "cmdAdd", "        Add ->"},
        {"frmHeaders", "cmdRemoveItem", "<- Remove  "}, {"frmHeaders", "cmdClobClearItems", "<<--Clear     "},
        {"frmHeaders", "cmdSwapHdr", "<--Swap-->"}, {"frmHeaders", "lblHdrTarget", "Selected Keywords:"},
        {"frmHeaders", "lstGreps", ""}, {"frmHeaders", "lblHdrGrep", "Keywords Containing :"},
        {"frmHeaders", "txtGrep", "Text1"}, {"frmHeaders", "cmdHeaderGrep", "Add-----^"},
        {"tab0", "lblHeadersSort", "Clicking on Headers Sorts by that Header"},
        {"tab0", "lblFilterExport",
         "These commands search the Definition Headers against all of the above \"Target Keywords.\"  If the "
         "header matches, the entire block is sent to the Results form."},
        {"tab0", "cmdExportHeaders", "Export to Ini (subset)"},
        {"tab0", "cmdExport2CSV", "Export to Spreadsheet (.csv)"}, {"tab0", "cmdPref2CSV", "Preference. to TSV"},
        {"tab0", "Label2", "Caution! ASCII Import/Export is new! Verify results!"},
        {"tab1", "frmResizeText", "Resize Text"}, {"tab1", "chkResizeHeight", "[x] Text Height"},
        {"tab1", "txtTextHeight", "1.0"}, {"tab1", "chkResizeWidth", "[x] Text Width"},
        {"tab1", "txtTextWidth", "0.8"}, {"tab1", "chkResizeLine", "[x] Line Spacing"},
        {"tab1", "txtLineSpace", "1"}, {"tab1", "framePrevuTextResize", "Preview Affected Lines"},
        {"tab1", "cmdPreVuResize", "Preview Resize"}, {"tab1", "cmdResizeText", "Resize Text"},
        {"tab1", "Label3",
         "Note: This functionality (and more) can be duplicated using the Spreadsheet Export/Import functions."},
        {"tab1", "chkPipe", "Enable Handling \"|\" Delimited Text Definitions"},
        {"tab2", "lblVictim", "Test/Victim/\"Updatee\" .ini"}, {"tab2", "txtVictimName", "key in here or click -->"},
        {"tab2", "cmdBrowseVictim", "Browse..."}, {"tab2", "lblCmpControlOnly", "Control Only's:"},
        {"tab2", "lblCmpTesOnly", "Test Only's:"}, {"tab2", "lblCmpDiffs", "Differents:"},
        {"tab2", "lblCmpIdenticals", "Identicals:"}, {"tab2", "framClobber", "\"Standards Reset\" Mode"},
        {"tab2", "frmAppend", "Append Mode"}, {"tab2", "cmdFileClobber", "Create Updated File"},
    };
    const QMap<QString, QString> tips = {
        {"frmHeaders", "Controls in this frame are used to Filter actions to Selected Keywords"},
        {"Label1", "Source/Control/Seed .INI or .CSV (spreadsheet) file"},
        {"cmdBrowseSrvIn", "click to browse for .ini or .csv file"},
        {"cmdProcessInput", "Reads the File and Populates the \"Available Keyword\" list below."},
        {"lstHdrAvail", "Available Keywords from the category Type(s) selected above"},
        {"lstGreps", "Only the Keywords listed here will be acted upon and sent to the Results form."},
        {"cmdExportHeaders", "Pulls the Definition Blocks that match any of the above \"Target Keywords\""},
        {"cmdExport2CSV", "Exports Features and Symbologies to a .csv file"},
        {"cmdPref2CSV", "Exports Only Preferences to a TAB separated .txt file"},
        {"cmdPreVuResize", "Lists all Headers with any (pre-ReSized) lines that will be changed."},
        {"cmdResizeText",
         "Resizes text in Definitions that match the Selected Keywords.  Sends all Definitions to Results form."},
        {"lblVictim", "Match Definitions will be overwritten ONLY in Results form"},
    };
    auto caption = [](QWidget* w) {
        const QString text = w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString();
        return w->property("checked").toBool() ? "[x] " + text : text;
    };
    auto* tabs = Get<QTabWidget>("SSTab1");
    for (const Expect& e : table) {
        const QString area = QString::fromLatin1(e.area);
        QWidget* scope = area.isEmpty() ? window.get()
                         : area.startsWith("tab") ? tabs->widget(area.mid(3).toInt()) : Get(e.area);
        auto* w = scope ? scope->findChild<QWidget*>(QString::fromLatin1(e.name)) : nullptr;
        ASSERT_NE(w, nullptr) << e.area << "/" << e.name;
        EXPECT_EQ(caption(w), QString::fromLatin1(e.caption)) << e.name;
        EXPECT_EQ(w->toolTip(), tips.value(QString::fromLatin1(e.name))) << e.name;
    }
    for (const char* bold : {"Label7", "cmdProcessInput", "cmdResizeText", "cmdFileClobber"})
        EXPECT_TRUE(Get(bold)->font().bold()) << bold;

    // Tab captions, the two option arrays, then the columns of both list views.
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    for (QRadioButton* option : window->findChildren<QRadioButton*>()) texts << caption(option);
    for (const char* view : {"lvHeaders", "lvHeaderCompare"})
        for (int c = 0; c < Model(view)->columnCount(); ++c)
            texts << Model(view)->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(texts, (QStringList{"Sort && Exports", "Text Resizer", "Compare 2 ini's", "Reset All", "Reset None",
                                  "[x] Preview Resets", "[x] Append All", "Append None",
                                  "All Headers Matching Target Keywords", "Order", "Header", "Header Location",
                                  "Line #"}));
}

}  // namespace
}  // namespace quillset::ui
