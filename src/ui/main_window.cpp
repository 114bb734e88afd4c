#include "ui/main_window.h"
#include "ui/named.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QFileInfo>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "exports/csv_export.h"
#include "exports/ini_subset.h"
#include "exports/tsv_export.h"
#include "platform/out_of_memory.h"
#include "platform/file_dialogs.h"
#include "platform/help_viewer.h"
#include "platform/text_file.h"
#include "app/session.h"
#include "ui/about_window.h"
#include "ui/app_host.h"
#include "ui/busy_cursor.h"
#include "ui/button_keys.h"
#include "ui/column_shares.h"
#include "ui/compare_tab.h"
#include "ui/file_drop.h"
#include "ui/help_window.h"
#include "ui/list_models.h"
#include "ui/prompter.h"
#include "ui/text.h"
#include "ui/text_resizer_tab.h"
#include "ui/window_memory.h"
#include "app/export_commands.h"
#include "app/recent_files.h"
#include "app/source_commands.h"

namespace quillset::ui {

namespace {

const char* const kNotFound =
    "Input file not found.  Key in file name again or use the Browse button.";
const char* const kSourceFilter =
    "Preference Files (*.ini)|*.ini|Quillset Comma-Separated (*.csv)|*.csv|"
    "Quillset Preferences - tabbed (*.txt)|*.txt";
const char* const kSourceFolderKey = "Source";

constexpr const char* kUnsavedResults =
    "The Results window holds text that has not been saved.  Close Quillset and lose it?";

// The design's client area, enlarged a little so every caption fits at the
// desktop's usual font size; the three areas keep their design proportions
// (1980, 3015 and 4695 twips). It is the least the window shrinks to; room
// beyond it goes to the lists, in the proportion of their two areas.
constexpr int kClientWidth = 704;
constexpr int kInputHeight = 150;
constexpr int kKeywordHeight = 215;
constexpr int kTabsHeight = 325;
// Both list views are 6615 of 7470 twips wide in the design.
constexpr int kDesignListViewWidth = 624;

void SetBold(QWidget* widget) {
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QListView* MakeKeywordView(const char* name, KeywordListModel* model, const char* tip) {
    auto* view = Named(new QListView, name);
    view->setModel(model);
    view->setToolTip(QString::fromLatin1(tip));
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, so a list of 100,000 keywords lays out at once.
    view->setUniformItemSizes(true);
    return view;
}

QTreeView* MakeReportView(QTreeView* view) {
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSortingEnabled(false);  // the core orders the rows
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsMovable(false);
    return view;
}

}  // namespace

MainWindow::MainWindow(Session& session, Prompter& prompter, platform::FileDialogs& dialogs,
                       SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      prompter_(prompter),
      dialogs_(dialogs),
      settings_(settings),
      host_(std::make_unique<AppHost>(session, prompter, dialogs, &settings)),
      helpFile_(QString::fromLatin1(platform::kHelpFileName)) {
    setObjectName("Main");
    setWindowTitle("Quillset - preference file manager for the CAD office");
    session_.outputKind = 0;

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    QWidget* input = BuildInputFrame();
    QWidget* keywords = BuildKeywordFrame();
    QWidget* tabs = BuildTabs();
    input->setFixedHeight(kInputHeight);
    keywords->setMinimumHeight(kKeywordHeight);
    tabs->setMinimumHeight(kTabsHeight);
    layout->addWidget(input);
    layout->addWidget(keywords, 2);
    layout->addWidget(tabs, 3);
    central->setMinimumSize(kClientWidth, kInputHeight + kKeywordHeight + kTabsHeight + 12);
    setCentralWidget(central);
    BuildHiddenSet();
    BuildMenus();
    BuildHabits();
    layout->activate();
    resize(minimumSizeHint());
    StartUp();
    KeepPlacement(this, settings_, "Main");
}

MainWindow::~MainWindow() {
    if (help_) delete help_.data();
    if (about_) delete about_.data();
}

QWidget* MainWindow::BuildInputFrame() {
    auto* frame = Named(new QGroupBox("Input"), "frmInput");
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(4);

    auto* label1 = Named(new QLabel("Source/Control .ini or .csv:"), "Label1");
    label1->setToolTip("Source/Control/Seed .INI or .CSV (spreadsheet) file");
    txtSeedIn_ = Named(new QLineEdit("key in .INI or .CSV or click -->"), "txtSeedIn");
    auto* browse = Named(new QPushButton("Browse..."), "cmdBrowseSrvIn");
    browse->setToolTip("click to browse for .ini or .csv file");
    grid->addWidget(label1, 0, 0, 1, 2);
    grid->addWidget(txtSeedIn_, 0, 2, 1, 4);
    grid->addWidget(browse, 0, 6);

    auto* actOn = Named(new QLabel("Act On-->"), "Label7");
    SetBold(actOn);
    chkShoFeature_ = Named(new QCheckBox("Feature Styles"), "chkShoFeature");
    chkShoSymbol_ = Named(new QCheckBox("Named Symbol"), "chkShoSymbol");
    chkShoFilters_ = Named(new QCheckBox("Feature Filters"), "chkShoFilters");
    chkShoPreferences_ = Named(new QCheckBox("Prefer- ences"), "chkShoPreferences");
    // The check boxes set the width of the count columns below them.
    for (QCheckBox* box : {chkShoFeature_, chkShoSymbol_, chkShoFilters_, chkShoPreferences_})
        box->setMinimumWidth(box->sizeHint().width() + 10);
    grid->addWidget(actOn, 1, 0);
    grid->addWidget(chkShoFeature_, 1, 1);
    grid->addWidget(chkShoSymbol_, 1, 2);
    grid->addWidget(chkShoFilters_, 1, 3);
    grid->addWidget(chkShoPreferences_, 1, 4);
    grid->addWidget(Named(new QLabel("incl.   Wys"), "Label4"), 1, 5);
    grid->addWidget(Named(new QLabel("Total"), "Label24"), 1, 6);
    grid->addWidget(Named(new QLabel("#"), "Label22"), 2, 0);
    grid->addWidget(Named(new QLabel("# of Lines "), "Label23"), 3, 0);

    const char* defs[] = {"lblNumFeatures", "lblNumSymbol", "lblNumFilters", "lblNumPrefs",
                          "lblNumWys", "lblAllDefs"};
    const char* lines[] = {"lblNumFeatureLines", "lblNumSymbolLines", "lblNumFilterLines",
                           "lblPreferenceLines", "lblWysLines", "lblAllLines"};
    for (int c = 0; c < 6; ++c) {
        grid->addWidget(Named(new QLabel(defs[c]), defs[c]), 2, c + 1);
        grid->addWidget(Named(new QLabel(lines[c]), lines[c]), 3, c + 1);
    }

    auto* process = Named(new QPushButton("Process Source Ini"), "cmdProcessInput");
    SetBold(process);
    process->setToolTip("Reads the File and Populates the \"Available Keyword\" list below.");
    grid->addWidget(process, 4, 4, 1, 3);

    connect(txtSeedIn_, &QLineEdit::textChanged, this, &MainWindow::OnSourceNameChanged);
    connect(txtSeedIn_, &QLineEdit::returnPressed, this, &MainWindow::ValidateSourceName);
    txtSeedIn_->installEventFilter(this);
    connect(browse, &QPushButton::clicked, this, &MainWindow::Browse);
    connect(process, &QPushButton::clicked, this, &MainWindow::Process);
    for (QCheckBox* box : {chkShoFeature_, chkShoSymbol_, chkShoFilters_, chkShoPreferences_})
        connect(box, &QCheckBox::toggled, this, &MainWindow::ResetFile1);
    return frame;
}

QWidget* MainWindow::BuildKeywordFrame() {
    frmHeaders_ = Named(new QGroupBox("Header Keyword Filter"), "frmHeaders");
    frmHeaders_->setToolTip("Controls in this frame are used to Filter actions to Selected Keywords");
    auto* grid = new QGridLayout(frmHeaders_);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);

    availModel_ = new KeywordListModel(session_.selection.keywords.available, this);
    selectedModel_ = new KeywordListModel(session_.selection.keywords.selected, this);
    lstHdrAvail_ = MakeKeywordView("lstHdrAvail", availModel_,
                                   "Available Keywords from the category Type(s) selected above");
    lstGreps_ = MakeKeywordView(
        "lstGreps", selectedModel_,
        "Only the Keywords listed here will be acted upon and sent to the Results form.");

    auto* addAll = Named(new QPushButton("Add All -->>"), "cmdAddAll");
    auto* add = Named(new QPushButton("        Add ->"), "cmdAdd");
    auto* remove = Named(new QPushButton("<- Remove  "), "cmdRemoveItem");
    auto* clear = Named(new QPushButton("<<--Clear     "), "cmdClobClearItems");
    auto* swap = Named(new QPushButton("<--Swap-->"), "cmdSwapHdr");
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (QPushButton* b : {addAll, add, remove, clear, swap}) buttons->addWidget(b);
    buttons->addStretch();

    grid->addWidget(Named(new QLabel("Available Keywords:"), "lblHdrAvail"), 0, 0);
    grid->addWidget(Named(new QLabel("Selected Keywords:"), "lblHdrTarget"), 0, 2);
    grid->addWidget(lstHdrAvail_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(lstGreps_, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);

    txtGrep_ = Named(new QLineEdit("Text1"), "txtGrep");
    auto* grep = Named(new QPushButton("Add-----^"), "cmdHeaderGrep");
    auto* grepRow = new QHBoxLayout;
    grepRow->addWidget(Named(new QLabel("Keywords Containing :"), "lblHdrGrep"));
    grepRow->addWidget(txtGrep_, 1);
    grepRow->addWidget(grep);
    grid->addLayout(grepRow, 2, 0, 1, 3);

    connect(add, &QPushButton::clicked, this, [this] {
        RunKeywordCommand([this] {
            return selection::Add(session_.selection, session_.source, *host_, Context(), SelectedRows(lstHdrAvail_));
        });
    });
    connect(lstHdrAvail_, &QListView::doubleClicked, add, &QPushButton::click);
    connect(remove, &QPushButton::clicked, this, [this] {
        RunKeywordCommand([this] {
            return selection::Remove(session_.selection, session_.source, *host_, Context(), SelectedRows(lstGreps_));
        });
    });
    connect(lstGreps_, &QListView::doubleClicked, remove, &QPushButton::click);
    lstGreps_->installEventFilter(this);  // Delete removes, as the button does
    connect(addAll, &QPushButton::clicked, this, [this] {
        RunKeywordCommand([this] { return selection::AddAll(session_.selection, session_.source, *host_, Context()); });
    });
    connect(swap, &QPushButton::clicked, this, [this] {
        RunKeywordCommand([this] { return selection::Swap(session_.selection, session_.source, *host_, Context()); });
    });
    connect(clear, &QPushButton::clicked, this,
            [this] { RunKeywordCommand([this] { return selection::Clear(session_.selection, session_.source); }); });
    auto grepNow = [this] {
        RunKeywordCommand([this] {
            return selection::Grep(session_.selection, session_.source, *host_, Context(), ToBytes(txtGrep_->text()));
        });
    };
    connect(grep, &QPushButton::clicked, this, grepNow);
    connect(txtGrep_, &QLineEdit::returnPressed, this, grepNow);
    return frmHeaders_;
}

QWidget* MainWindow::BuildTabs() {
    SSTab1_ = Named(new QTabWidget, "SSTab1");
    SSTab1_->addTab(BuildSortExportsTab(), "Sort && Exports");
    SSTab1_->addTab(BuildResizerTab(), "Text Resizer");
    SSTab1_->addTab(BuildCompareTab(), "Compare 2 ini's");
    return SSTab1_;
}

QWidget* MainWindow::BuildSortExportsTab() {
    auto* tab = new QWidget;
    auto* v = new QVBoxLayout(tab);
    v->setSpacing(3);
    v->addWidget(Named(new QLabel("Clicking on Headers Sorts by that Header"), "lblHeadersSort"));

    headerModel_ = new HeaderListModel(session_.selection.headerList, this);
    lvHeaders_ = MakeReportView(Named(new QTreeView, "lvHeaders"));
    lvHeaders_->setModel(headerModel_);
    headerColumns_ = new ColumnShares(lvHeaders_, {0.85, 0.13});
    connect(lvHeaders_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        selection::SortHeaderList(session_.selection.headerList, column);
        WithinMemory(*host_, [this] { ShowHeaderList(); });
    });
    v->addWidget(lvHeaders_, 1);
    v->addWidget(Named(new QLabel, "lblHdrFind"));

    auto* lblFilter = Named(new QLabel("These commands search the Definition Headers against all of "
                                       "the above \"Target Keywords.\"  If the header matches, the "
                                       "entire block is sent to the Results form."),
                            "lblFilterExport");
    lblFilter->setWordWrap(true);
    v->addWidget(lblFilter);

    auto* exportIni = Named(new QPushButton("Export to Ini (subset)"), "cmdExportHeaders");
    exportIni->setToolTip("Pulls the Definition Blocks that match any of the above \"Target Keywords\"");
    auto* exportCsv = Named(new QPushButton("Export to Spreadsheet (.csv)"), "cmdExport2CSV");
    exportCsv->setToolTip("Exports Features and Symbologies to a .csv file");
    auto* prefTsv = Named(new QPushButton("Preference. to TSV"), "cmdPref2CSV");
    prefTsv->setToolTip("Exports Only Preferences to a TAB separated .txt file");
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {exportIni, exportCsv, prefTsv}) row->addWidget(b);
    v->addLayout(row);
    v->addWidget(Named(new QLabel("Caution! ASCII Import/Export is new! Verify results!"), "Label2"));
    connect(exportIni, &QPushButton::clicked, this, [this] { RunExport(app::ExportIniSubset); });
    connect(exportCsv, &QPushButton::clicked, this, [this] { RunExport(app::ExportCsv); });
    connect(prefTsv, &QPushButton::clicked, this, [this] { RunExport(app::ExportTsv); });
    return tab;
}

QWidget* MainWindow::BuildResizerTab() {
    auto* tab = new TextResizerTab(session_, *host_, settings_, [this] { return txtSeedIn_->text(); });
    lstPrevuTextResize_ = tab->previewList();
    connect(tab, &TextResizerTab::sourceMissing, txtSeedIn_, [this] { txtSeedIn_->setFocus(); });
    return tab;
}

QWidget* MainWindow::BuildCompareTab() {
    compareTab_ = new CompareTab(session_, *host_, dialogs_, settings_, [this] { return txtSeedIn_->text(); },
                                 lastBrowseName_, [this] { return Context().categories; });
    return compareTab_;
}

void MainWindow::BuildHiddenSet() {
    // A second tab set that is never shown: nothing the user can reach adds
    // to its lists, but the groups switch them and ClearLists empties them.
    auto* old = Named(new QTabWidget(this), "SSTabOld");
    old->hide();

    auto* extract = new QWidget;
    auto* ve = new QVBoxLayout(extract);
    ve->addWidget(Named(new QPushButton("Preview Headers"), "cmdPreVuHeader"));
    auto* frmMatch = Named(new QGroupBox("Matching Header Preview"), "frmMatchHeaders");
    auto* vm = new QVBoxLayout(frmMatch);
    ListMatchingHeaders_ = Named(new QListWidget, "ListMatchingHeaders");
    ListMatchingHeaders_->setSortingEnabled(true);
    vm->addWidget(ListMatchingHeaders_);
    ve->addWidget(frmMatch);
    old->addTab(extract, "&Extract && Sorts");
    old->addTab(new QWidget, "Text Resizer");

    auto* rename = new QWidget;
    auto* vr = new QVBoxLayout(rename);
    for (auto [cap, name] : {std::pair{"Rename all matching Keywords to:", "Command1"},
                             std::pair{"Preview Alphabetized Headers", "Command2"},
                             std::pair{"Alphabetize", "Command3"},
                             std::pair{"Prepend Prefix to Keywords", "cmdInsertPrefix"},
                             std::pair{"Append Suffix to Keyword", "cmdInsertSuffix"},
                             std::pair{"Delete Expression from Header Name", "cmdDelRegExp"}})
        vr->addWidget(Named(new QPushButton(cap), name));
    vr->addWidget(Named(new QLineEdit("new keyword"), "txtNewKeyword"));
    vr->addWidget(Named(new QLineEdit("prefix/suffix"), "txtPrefixSuffix"));
    vr->addWidget(Named(new QLineEdit("string"), "txtExpression"));
    old->addTab(rename, "Rename/Sort");

    auto* compare = new QWidget;
    auto* vo = new QVBoxLayout(compare);
    vo->addWidget(Named(new QListWidget, "lstDualDefinitions"));
    vo->addWidget(Named(new QLabel("Potential Overwrites:"), "lblPotentialOverwrites"));
    lstConflicts_ = Named(new QListWidget, "lstConflicts");
    lstConflicts_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    vo->addWidget(lstConflicts_);
    vo->addWidget(Named(new QLabel("Definitions to be Overwritten!"), "lblToBeOverwritten"));
    lstClobber_ = Named(new QListWidget, "lstClobber");
    lstClobber_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    vo->addWidget(lstClobber_);
    vo->addWidget(Named(new QCheckBox("Append Non-Conflicting Blocks to Target File"), "ChkAppend"));
    auto* command8 = Named(new QPushButton("Clear"), "Command8");
    connect(command8, &QPushButton::clicked, lstClobber_, &QListWidget::clear);
    vo->addWidget(command8);
    for (auto [cap, name] : {std::pair{"Add ->", "cmdClobAdd"}, std::pair{"Add All -->>", "cmdClobAddAll"},
                             std::pair{"<- Remove", "cmdClobRemoveItem"},
                             std::pair{"Update/Overwrite", "cmdClobber"}})
        vo->addWidget(Named(new QPushButton(cap), name));
    old->addTab(compare, "Compare 2 ini's");
    old->addTab(new QWidget, "Tab 4");
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    recentMenu_ = file->addMenu("Recent Files");
    recentMenu_->setObjectName("mnuRecentFiles");
    recent_ = app::ReadRecentFiles(settings_);
    ShowRecentFiles();

    QMenu* whatsNew = menuBar()->addMenu("&What's New");
    whatsNew->setObjectName("mnuNew");
    whatsNew->addAction("ASCII E&xport/Import")->setObjectName("mnuExportImp");
    whatsNew->setEnabled(false);
    whatsNew->menuAction()->setEnabled(false);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    help->addAction("Try pressing the \"F1\" button for Help")->setObjectName("ini_chm_call");
    QAction* helpFile = help->addAction("&Quillset Help");
    helpFile->setObjectName("mnuIniHelp");
    connect(helpFile, &QAction::triggered, this, &MainWindow::ShowHelp);
    help->addAction("For support call the CAD help desk at extension 4357")
        ->setObjectName("mnuCallSupport");
    QAction* about = help->addAction("&About Quillset");
    about->setObjectName("mnuAboutQuillset");
    connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName("F1");
    f1->setContext(Qt::ApplicationShortcut);
    // No help file is no error: F1 then simply does nothing.
    connect(f1, &QShortcut::activated, this, [this] { platform::OpenHelpFile(helpFile_); });
}

void MainWindow::ShowRecentFiles() {
    recentMenu_->clear();
    int number = 0;
    for (const std::string& name : recent_) {
        const QString path = FromPath(name);
        // Numbered 1 to 10 for the keyboard; an "&" of the name is no mnemonic.
        const QString digits = QString::number(++number);
        const QString caption = digits.left(digits.size() - 1) + '&' + digits.right(1) + ' ' +
                                QString(path).replace('&', QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(caption);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { EnterSourceName(path); });
    }
    recentMenu_->menuAction()->setEnabled(!recent_.empty());
}

void MainWindow::RememberSource(const QString& name) {
    const QString path = QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
    app::AddRecentFile(recent_, ToPath(path));
    app::SaveRecentFiles(settings_, recent_);
    ShowRecentFiles();
}

void MainWindow::BuildHabits() {
    // A file dropped anywhere but on the test file box names the source,
    // text boxes included: a path is no keyword or size.
    const auto source = [this](const QString& name) { EnterSourceName(name); };
    new FileDrop(this, source);
    auto* testBox = compareTab_->findChild<QLineEdit*>("txtVictimName");
    for (QLineEdit* box : findChildren<QLineEdit*>())
        if (box != testBox) new FileDrop(box, source);

    // Alt with a letter of each caption; F, W and H open the menus.
    SetButtonKeys(this, {{"cmdBrowseSrvIn", Qt::ALT | Qt::Key_B},
                         {"cmdProcessInput", Qt::ALT | Qt::Key_P},
                         {"cmdAddAll", Qt::ALT | Qt::Key_L},
                         {"cmdAdd", Qt::ALT | Qt::Key_A},
                         {"cmdRemoveItem", Qt::ALT | Qt::Key_R},
                         {"cmdClobClearItems", Qt::ALT | Qt::Key_C},
                         {"cmdSwapHdr", Qt::ALT | Qt::Key_S},
                         {"cmdHeaderGrep", Qt::ALT | Qt::Key_K},
                         {"cmdExportHeaders", Qt::ALT | Qt::Key_I},
                         {"cmdExport2CSV", Qt::ALT | Qt::Key_E},
                         {"cmdPref2CSV", Qt::ALT | Qt::Key_T},
                         {"cmdPreVuResize", Qt::ALT | Qt::Key_V},
                         {"cmdResizeText", Qt::ALT | Qt::Key_Z},
                         {"cmdBrowseVictim", Qt::ALT | Qt::Key_O},
                         {"cmdFileClobber", Qt::ALT | Qt::Key_U},
                         {"cmdSurvey", Qt::ALT | Qt::Key_Y}});
}

void MainWindow::BuildGroups() {
    auto one = [this](const char* name) {
        auto* w = findChild<QWidget*>(QString::fromLatin1(name));
        Q_ASSERT_X(w, "BuildGroups", name);
        return w;
    };
    auto names = [&](std::initializer_list<const char*> list) {
        std::vector<QWidget*> group;
        for (const char* name : list) group.push_back(one(name));
        return group;
    };

    countLabels_ = names({"lblNumFeatures", "lblNumFeatureLines", "lblNumSymbol", "lblNumSymbolLines",
                          "lblNumFilters", "lblNumFilterLines", "lblNumPrefs", "lblPreferenceLines",
                          "lblAllDefs", "lblAllLines", "lblWysLines", "lblNumWys", "lblCmprTestOnlys",
                          "lblCmprControlsOnly", "lblCmprDiffs", "lblCmprIdenticals"});
    listControls_ = names({"lstConflicts", "lstClobber", "ListMatchingHeaders", "lstGreps",
                           "lstHdrAvail", "lstPrevuTextResize"});
    keywordControls_ = names({"frmHeaders", "cmdAdd", "cmdAddAll", "cmdRemoveItem", "cmdSwapHdr",
                              "cmdClobClearItems", "lstGreps", "lblHdrAvail", "lblHdrGrep",
                              "lblHdrTarget", "cmdHeaderGrep", "txtGrep"});
    functionControls_ = names(
        {"SSTab1", "cmdPreVuHeader", "ListMatchingHeaders", "cmdExportHeaders", "cmdExport2CSV",
         "cmdPref2CSV", "frmMatchHeaders", "lblFilterExport", "frmResizeText", "chkResizeHeight",
         "chkResizeWidth", "chkResizeLine", "framePrevuTextResize", "cmdPreVuResize",
         "lstPrevuTextResize", "cmdResizeText", "chkPipe", "lblVictim", "txtVictimName",
         "cmdBrowseVictim", "txtTextHeight", "txtTextWidth", "txtLineSpace", "lvHeaders",
         "lblHeadersSort", "txtVictimName"});
    compareControls_ = compareTab_->compareControls();
}

void MainWindow::StartUp() {
    SSTab1_->setCurrentIndex(0);
    // The boxes are clear by design, so each tick runs ResetFile1.
    for (QCheckBox* box : {chkShoFeature_, chkShoFilters_, chkShoSymbol_, chkShoPreferences_})
        box->setChecked(true);
    findChild<QCheckBox*>("chkPipe")->setChecked(false);
    SizeColumns();
    BuildGroups();
    SetEnabled(keywordControls_, false);
    SetEnabled(functionControls_, false);
    SetEnabled(compareControls_, false);
    for (QWidget* label : countLabels_) static_cast<QLabel*>(label)->clear();
    ClearLists();
}

void MainWindow::SizeColumns() {
    // Fractions of the view's width when the window loads, kept as it grows;
    // before the first show the design width stands in for it.
    headerColumns_->Apply(lvHeaders_->isVisible() ? lvHeaders_->viewport()->width() : kDesignListViewWidth);
    auto* compareList = compareTab_->findChild<QTreeView*>("lvHeaderCompare");
    compareTab_->SizeColumns(compareList->isVisible() ? compareList->viewport()->width() : kDesignListViewWidth);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!columnsSized_) {
        columnsSized_ = true;
        SizeColumns();
    }
}

void MainWindow::SetEnabled(const std::vector<QWidget*>& group, bool enabled) {
    for (QWidget* w : group) w->setEnabled(enabled);
}

selection::RefreshContext MainWindow::Context() const {
    return {ToPath(txtSeedIn_->text()),
            {chkShoFeature_->isChecked(), chkShoSymbol_->isChecked(), chkShoFilters_->isChecked(),
             chkShoPreferences_->isChecked()}};
}

std::vector<std::size_t> MainWindow::SelectedRows(const QListView* view) {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::ShowCounts(const model::SourceCounts& c) {
    const std::int64_t values[] = {c.featureDefs, c.featureLines, c.symbolDefs, c.symbolLines,
                                   c.filterDefs,  c.filterLines,  c.prefDefs,   c.prefLines,
                                   c.allDefs,     c.allLines,     c.wysLines,   c.wysDefs};
    for (int i = 0; i < 12; ++i) static_cast<QLabel*>(countLabels_[i])->setText(QString::number(values[i]));
}

model::CountProgress MainWindow::LabelProgress() {
    // The labels follow the count block by block, but a repaint per header
    // would cost more than the count itself: at most ten a second.
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [this, timer](const model::SourceCounts& counts) {
        if (timer->elapsed() < 100) return;
        timer->restart();
        ShowCounts(counts);
        if (QWidget* frame = findChild<QWidget*>("frmInput"); frame && frame->isVisible())
            frame->repaint();
    };
}

void MainWindow::ShowLists() {
    availModel_->Reset();
    selectedModel_->Reset();
}

void MainWindow::ShowHeaderList() {
    headerModel_->Reset();
    const selection::HeaderList& list = session_.selection.headerList;
    QHeaderView* header = lvHeaders_->header();
    header->setSortIndicatorShown(list.sorted);
    if (list.sorted)
        header->setSortIndicator(list.sortColumn, list.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MainWindow::ClearLists() {
    for (QListWidget* list : {lstConflicts_, lstClobber_, ListMatchingHeaders_, lstPrevuTextResize_})
        list->clear();
    selection::ResetKeywords(session_.selection);
    ShowLists();
}

void MainWindow::RunKeywordCommand(const std::function<selection::CommandResult()>& command) {
    selection::CommandResult result;
    WithinMemory(*host_, [&] {
        BusyCursor busy;
        result = command();
    });
    Apply(result);
}

void MainWindow::Apply(const selection::CommandResult& result) {
    ShowLists();
    if (result.clearResizePreview) lstPrevuTextResize_->clear();
    if (result.functions == selection::FunctionSwitch::Enable) SetEnabled(functionControls_, true);
    if (result.functions == selection::FunctionSwitch::Disable) SetEnabled(functionControls_, false);
    if (result.headerListChanged || result.refreshed) ShowHeaderList();
    if (result.refreshed) lvHeaders_->setEnabled(true);
    if (result.sourceMissing) txtSeedIn_->setFocus();
}

void MainWindow::CountInto(const QString& name) {
    bool counted = false;
    WithinMemory(*host_, [&] {
        BusyCursor busy;
        counted = model::CountSource(session_.source, *host_, ToPath(name), LabelProgress());
    });
    if (counted) ShowCounts(session_.source.counts);
}

void MainWindow::OnSourceNameChanged() {
    for (QWidget* label : countLabels_) static_cast<QLabel*>(label)->clear();
    ClearLists();
    headerModel_->Reset();
    compareTab_->ResetForNewSource();
    frmHeaders_->setEnabled(false);
    SetEnabled(keywordControls_, false);
    SetEnabled(functionControls_, false);
    SetEnabled(compareControls_, false);

    const QString name = txtSeedIn_->text();
    // Set on every change: a file that appears only after its name was typed
    // must still be processed as the kind its name says.
    sourceKind_ = model::SourceKindOf(ToBytes(name));
    if (!platform::FileExists(ToPath(name))) {
        txtSeedIn_->setFocus();
        return;
    }
    CountInto(name);
    const model::CategoryChoice preset = model::PresetFor(sourceKind_);
    // A change of a box runs ResetFile1, as a click would.
    chkShoFeature_->setChecked(preset.feature);
    chkShoSymbol_->setChecked(preset.symbol);
    chkShoFilters_->setChecked(preset.filters);
    chkShoPreferences_->setChecked(preset.preferences);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstGreps_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        auto* remove = findChild<QPushButton*>("cmdRemoveItem");
        if (remove && remove->isEnabled()) remove->click();
        return true;
    }
    if (watched == txtSeedIn_ && event->type() == QEvent::FocusOut) {
        // Leaving the box validates what the user typed there. A message box
        // or menu taking the focus is no leaving, and a name the program put
        // in (after a message, or from Browse) is not validated again.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            txtSeedIn_->isModified())
            ValidateSourceName();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::TypeSourceName(const QString& name) {
    txtSeedIn_->setText(name);
    txtSeedIn_->setModified(true);
}

void MainWindow::EnterSourceName(const QString& name) {
    // The change counts a file that is there; the check after it says what
    // is wrong with a name that is none, as Enter would.
    if (txtSeedIn_->text() == name)
        OnSourceNameChanged();
    else
        txtSeedIn_->setText(name);
    txtSeedIn_->setModified(false);
    if (!platform::FileExists(ToPath(name))) ValidateSourceName();
}

void MainWindow::ValidateSourceName() {
    if (validating_) return;
    validating_ = true;
    txtSeedIn_->setModified(false);
    const QString name = txtSeedIn_->text();
    if (platform::FileExists(ToPath(name))) {
        CountInto(name);
    } else {
        prompter_.Inform(kNotFound);
        txtSeedIn_->setText("Key in or browse a valid filename!");
        txtSeedIn_->setFocus();
    }
    validating_ = false;
}

void MainWindow::Browse() {
    platform::FileDialogRequest request;
    request.filter = kSourceFilter;
    request.filterIndex = 0;
    request.mustExist = true;
    request.fileName = lastBrowseName_;
    request.initialFolder = LastFolder(settings_, kSourceFolderKey);
    // Cancel leaves the box, the lists and the comparison as they were.
    const auto chosen = dialogs_.OpenFile(this, request);
    if (!chosen) return;
    lastBrowseName_ = *chosen;
    KeepFolderOf(settings_, kSourceFolderKey, lastBrowseName_);
    // Putting a name into the box is a change of the file name even when the
    // box already held it; the change itself counts an existing file.
    if (txtSeedIn_->text() == lastBrowseName_)
        OnSourceNameChanged();
    else
        txtSeedIn_->setText(lastBrowseName_);
    txtSeedIn_->setModified(false);
    if (!platform::FileExists(ToPath(lastBrowseName_))) prompter_.Inform(kNotFound);
}

void MainWindow::Process() {
    const QString name = txtSeedIn_->text();
    if (!platform::FileExists(ToPath(name))) {
        txtSeedIn_->setFocus();
        return;
    }
    const selection::RefreshContext context = Context();
    bool processed = false;
    const bool fitted = WithinMemory(*host_, [&] {
        BusyCursor busy;
        processed = app::ProcessSource(session_, *host_, settings_, context.sourcePath, sourceKind_,
                                         context.categories, LabelProgress());
    });
    if (!fitted) {
        // The session is as it was; only the labels followed the failed load.
        if (session_.source.counted) ShowCounts(session_.source.counts);
        return;
    }
    ListMatchingHeaders_->clear();
    ShowLists();
    ShowHeaderList();
    if (!processed) return;
    RememberSource(name);
    // The core counted what it loaded (the converted file for a spreadsheet
    // or TAB source), so the labels show that.
    ShowCounts(session_.source.counts);
    frmHeaders_->setEnabled(true);
    SetEnabled(keywordControls_, true);
    // The Selected Keywords are empty again, so the functions wait for a new
    // selection; only the tab control itself stays usable.
    SetEnabled(functionControls_, false);
    SSTab1_->setEnabled(true);
}

void MainWindow::ResetFile1() {
    ClearLists();
    frmHeaders_->setEnabled(false);
    SetEnabled(keywordControls_, false);
    SSTab1_->setEnabled(false);
    SetEnabled(functionControls_, false);
    headerModel_->Reset();
}

void MainWindow::RunExport(ExportCommand command) {
    bool exported = true;
    WithinMemory(*host_, [&] {
        BusyCursor busy;
        exported = command(session_, *host_, settings_, ToPath(txtSeedIn_->text()));
    });
    if (!exported) txtSeedIn_->setFocus();
}

void MainWindow::ShowHelp() {
    helpFile_ = platform::HelpFileBesideProgram();
    if (!help_) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::ShowAbout() {
    // A fresh window each time; OK destroys it.
    about_ = new AboutWindow(prompter_, this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The Results are the only copy of their text until saved.
    if (const ResultsWindow* results = host_->resultsWindow();
        results && results->HoldsUnsavedText() && !prompter_.AskOkCancel(QString::fromLatin1(kUnsavedResults))) {
        event->ignore();
        return;
    }
    host_->CloseAll();
    if (help_) help_->close();
    if (about_) about_->close();
    event->accept();
    QApplication::quit();
}

}  // namespace quillset::ui
