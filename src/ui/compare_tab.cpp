#include "ui/compare_tab.h"
#include "ui/named.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/compare_commands.h"
#include "app/results.h"
#include "app/session.h"
#include "compare/update.h"
#include "model/output_lines.h"
#include "platform/file_dialogs.h"
#include "platform/out_of_memory.h"
#include "platform/text_file.h"
#include "selection/keywords.h"
#include "ui/app_host.h"
#include "ui/busy_cursor.h"
#include "ui/clobber_window.h"
#include "ui/column_shares.h"
#include "ui/file_drop.h"
#include "ui/text.h"
#include "ui/window_memory.h"

namespace quillset::ui {

namespace {

const char* const kTestFilter = "All Files (*.*)|*.*|Preference Files (*.ini)|*.ini";
const char* const kTestFolderKey = "Test";

}  // namespace

CompareListModel::CompareListModel(const Session& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int CompareListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int CompareListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant CompareListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= order_.size()) return {};
    const auto& rows = session_.comparison.rows;
    const std::size_t r = order_[static_cast<std::size_t>(index.row())];
    if (r >= rows.size()) return {};
    const compare::CompareRow& row = rows[r];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case 0: return FromBytes(row.header);
            case 1: return FromBytes(compare::StatusText(row.status));
            default: return FromBytes(selection::OrderKey(static_cast<std::int64_t>(row.number)));
        }
    }
    if (role == Qt::ToolTipRole && row.status == compare::Status::Different) {
        // Worked out on demand: only the row under the pointer pays for it.
        return FromBytes(compare::DescribeDifferences(compare::RowDifferences(session_.source, session_.comparison, row)));
    }
    return {};
}

QVariant CompareListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case 0: return QStringLiteral("Header");
        case 1: return QStringLiteral("Header Location");
        case 2: return QStringLiteral("Line #");
    }
    return {};
}

void CompareListModel::Reset() {
    beginResetModel();
    order_ = session_.comparison.DisplayOrder();
    endResetModel();
}

CompareTab::CompareTab(Session& session, AppHost& host, platform::FileDialogs& dialogs,
                       SettingsStore& settings, std::function<QString()> sourceName, QString& browseName,
                       std::function<model::CategoryChoice()> categories, QWidget* parent)
    : QWidget(parent),
      session_(session),
      host_(host),
      dialogs_(dialogs),
      settings_(settings),
      sourceName_(std::move(sourceName)),
      browseName_(browseName),
      categories_(std::move(categories)) {
    auto* v = new QVBoxLayout(this);
    v->setSpacing(3);

    auto* lblVictim = Named(new QLabel("Test/Victim/\"Updatee\" .ini"), "lblVictim");
    lblVictim->setToolTip("Match Definitions will be overwritten ONLY in Results form");
    txtVictimName_ = Named(new QLineEdit(FromBytes(compare::kVictimPrompt)), "txtVictimName");
    auto* browse = Named(new QPushButton("Browse..."), "cmdBrowseVictim");
    auto* hv = new QHBoxLayout;
    hv->addWidget(lblVictim);
    hv->addWidget(txtVictimName_, 1);
    hv->addWidget(browse);
    v->addLayout(hv);

    model_ = new CompareListModel(session_, this);
    lvHeaderCompare_ = Named(new QTreeView, "lvHeaderCompare");
    lvHeaderCompare_->setModel(model_);
    lvHeaderCompare_->setRootIsDecorated(false);
    lvHeaderCompare_->setUniformRowHeights(true);
    lvHeaderCompare_->setSortingEnabled(false);  // the core orders the rows
    lvHeaderCompare_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvHeaderCompare_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvHeaderCompare_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvHeaderCompare_->header()->setSectionsClickable(true);
    lvHeaderCompare_->header()->setStretchLastSection(false);
    lvHeaderCompare_->header()->setSectionsMovable(false);
    columns_ = new ColumnShares(lvHeaderCompare_, {0.65, 0.2, 0.15});
    v->addWidget(lvHeaderCompare_, 1);

    auto* counts = new QGridLayout;
    counts->setVerticalSpacing(1);
    QLabel* captions[4];
    int i = 0;
    for (auto [cap, capName, cnt, cntName] :
         {std::tuple{"Control Only's:", "lblCmpControlOnly", "Cnt", "lblCmprControlsOnly"},
          std::tuple{"Test Only's:", "lblCmpTesOnly", "Label2", "lblCmprTestOnlys"},
          std::tuple{"Differents:", "lblCmpDiffs", "Label2", "lblCmprDiffs"},
          std::tuple{"Identicals:", "lblCmpIdenticals", "Label2", "lblCmprIdenticals"}}) {
        captions[i] = Named(new QLabel(cap), capName);
        counters_.push_back(Named(new QLabel(cnt), cntName));
        counts->addWidget(captions[i], i / 2, (i % 2) * 2);
        counts->addWidget(counters_.back(), i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    counts->setColumnStretch(1, 1);
    counts->setColumnStretch(3, 1);
    v->addLayout(counts);

    // Option arrays share one object name; "index" tells the members apart.
    auto* framClobber = Named(new QGroupBox("\"Standards Reset\" Mode"), "framClobber");
    auto* vc = new QVBoxLayout(framClobber);
    vc->setSpacing(0);
    for (const char* cap : {"Reset All", "Reset None", "Preview Resets"}) {
        auto* opt = Named(new QRadioButton(cap), "optClobber");
        opt->setProperty("index", static_cast<int>(optClobber_.size()));
        optClobber_.push_back(opt);
        vc->addWidget(opt);
    }
    optClobber_[2]->setChecked(true);
    auto* frmAppend = Named(new QGroupBox("Append Mode"), "frmAppend");
    auto* va = new QVBoxLayout(frmAppend);
    va->setSpacing(0);
    for (const char* cap : {"Append All", "Append None"}) {
        auto* opt = Named(new QRadioButton(cap), "optAppend");
        opt->setProperty("index", static_cast<int>(optAppend_.size()));
        optAppend_.push_back(opt);
        va->addWidget(opt);
    }
    optAppend_[0]->setChecked(true);
    va->addStretch();
    auto* cmdFileClobber = Named(new QPushButton("Create Updated File"), "cmdFileClobber");
    QFont bold = cmdFileClobber->font();
    bold.setBold(true);
    cmdFileClobber->setFont(bold);
    auto* hm = new QHBoxLayout;
    hm->addWidget(framClobber);
    hm->addWidget(frmAppend);
    auto* survey = Named(new QPushButton("Survey Variants..."), "cmdSurvey");
    survey->setToolTip("Compare several test files with the source at once and open the report in the browser");
    auto* actions = new QVBoxLayout;
    actions->addStretch();
    actions->addWidget(survey);
    actions->addWidget(cmdFileClobber);
    hm->addLayout(actions);
    v->addLayout(hm);

    compareControls_ = {lvHeaderCompare_, framClobber};
    compareControls_.insert(compareControls_.end(), optClobber_.begin(), optClobber_.end());
    compareControls_.push_back(frmAppend);
    compareControls_.insert(compareControls_.end(), optAppend_.begin(), optAppend_.end());
    compareControls_.insert(compareControls_.end(),
                            {cmdFileClobber, captions[0], captions[2], captions[3], captions[1]});

    connect(txtVictimName_, &QLineEdit::textChanged, this, &CompareTab::OnTestNameChanged);
    connect(txtVictimName_, &QLineEdit::returnPressed, this, &CompareTab::Compare);
    txtVictimName_->installEventFilter(this);
    new FileDrop(txtVictimName_, [this](const QString& name) { EnterTestName(name); });
    connect(browse, &QPushButton::clicked, this, &CompareTab::Browse);
    connect(cmdFileClobber, &QPushButton::clicked, this, &CompareTab::CreateUpdatedFile);
    connect(survey, &QPushButton::clicked, this, &CompareTab::SurveyVariants);
    connect(lvHeaderCompare_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        compare::SortComparison(session_.comparison, column);
        ShowRows();
    });
}

CompareTab::~CompareTab() = default;

void CompareTab::SizeColumns(int listWidth) { columns_->Apply(listWidth); }

void CompareTab::EnterTestName(const QString& name) {
    // As if typed and Enter pressed: the change compares a file that is
    // there; Enter says what is wrong with a name that is none.
    if (!txtVictimName_->isEnabled()) return;
    if (txtVictimName_->text() == name)
        OnTestNameChanged();
    else
        txtVictimName_->setText(name);
    if (!compare::ComparesOnChange(ToPath(name))) Compare();
}

void CompareTab::ResetForNewSource() {
    compare::ClearRows(session_.comparison);
    ShowRows();
    txtVictimName_->setText(FromBytes(compare::kVictimPrompt));
    txtVictimName_->setEnabled(false);
    SetControlsEnabled(false);
}

void CompareTab::SetControlsEnabled(bool enabled) {
    for (QWidget* w : compareControls_) w->setEnabled(enabled);
}

void CompareTab::ShowRows() {
    model_->Reset();
    const compare::Comparison& cmp = session_.comparison;
    QHeaderView* header = lvHeaderCompare_->header();
    header->setSortIndicatorShown(cmp.sorted);
    if (cmp.sorted)
        header->setSortIndicator(cmp.sortColumn, cmp.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CompareTab::OnTestNameChanged() {
    SetControlsEnabled(false);
    compare::ClearRows(session_.comparison);
    ShowRows();
    BusyCursor busy;
    if (compare::ComparesOnChange(ToPath(txtVictimName_->text()))) Compare();
}

void CompareTab::Compare() {
    compare::CompareOutcome outcome;
    const bool fitted = WithinMemory(host_, [&] {
        BusyCursor busy;
        outcome = app::RunComparison(session_, host_, ToPath(sourceName_()),
                                         ToPath(txtVictimName_->text()));
    });
    if (!fitted) return;  // the last comparison stands
    switch (outcome) {
        case compare::CompareOutcome::NotFound: txtVictimName_->setFocus(); return;
        case compare::CompareOutcome::SameFile: ShowRows(); return;
        case compare::CompareOutcome::Unreadable:
            ShowRows();
            SetControlsEnabled(false);
            return;
        case compare::CompareOutcome::Compared: break;
    }
    ShowRows();
    const compare::CompareCounts& c = session_.comparison.counts;
    const std::int64_t values[] = {c.controlOnly, c.testOnly, c.different, c.identical};
    for (int i = 0; i < 4; ++i) counters_[static_cast<std::size_t>(i)]->setText(QString::number(values[i]));
    SetControlsEnabled(true);
}

bool CompareTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtVictimName_ && event->type() == QEvent::FocusOut) {
        // Leaving the box for another control compares; a message box or a
        // menu taking the focus is no leaving.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Nor is the box being disabled under the focus by a new source name,
        // nor passing through a box that still holds its prompt (a tab
        // switch or Tab key): it names no file to look for.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            txtVictimName_->isEnabled() && txtVictimName_->text() != FromBytes(compare::kVictimPrompt))
            Compare();
    }
    return QWidget::eventFilter(watched, event);
}

void CompareTab::Browse() {
    platform::FileDialogRequest request;
    request.filter = kTestFilter;
    request.filterIndex = 1;
    request.mustExist = true;
    request.fileName = browseName_;
    request.initialFolder = LastFolder(settings_, kTestFolderKey);
    // Cancel leaves the box and the comparison as they were.
    const auto chosen = dialogs_.OpenFile(this, request);
    if (!chosen) return;
    browseName_ = *chosen;
    KeepFolderOf(settings_, kTestFolderKey, browseName_);
    if (txtVictimName_->text() == browseName_)
        OnTestNameChanged();
    else
        txtVictimName_->setText(browseName_);
}

void CompareTab::SurveyVariants() {
    platform::FileDialogRequest request;
    request.filter = kTestFilter;
    request.filterIndex = 1;
    request.mustExist = true;
    request.initialFolder = LastFolder(settings_, kTestFolderKey);
    const std::optional<QStringList> chosen = dialogs_.OpenFiles(this, request);
    if (!chosen || chosen->isEmpty()) return;
    KeepFolderOf(settings_, kTestFolderKey, chosen->front());
    std::vector<std::string> variants;
    for (const QString& name : *chosen) variants.push_back(ToPath(name));
    const QString source = sourceName_();
    std::optional<std::string> report;
    WithinMemory(host_, [&] {
        BusyCursor busy;
        report = app::SurveyReport(session_, host_, ToPath(source), variants, model::CategoryWords(categories_()));
    });
    if (!report) return;
    // Shown from a file of its own in the temporary folder, which the
    // browser may keep open; saving it is the user's choice.
    QTemporaryFile shown(QDir::temp().filePath(QStringLiteral("quillset-survey-XXXXXX.html")));
    shown.setAutoRemove(false);
    if (!shown.open() || shown.write(report->data(), static_cast<qint64>(report->size())) !=
                             static_cast<qint64>(report->size()) || !shown.flush()) {
        host_.Inform("Unable to write the survey report " + ToPath(shown.fileName()) + ": " +
                     ToBytes(shown.errorString()));
        return;
    }
    shown.close();
    host_.ShowDocument(shown.fileName());

    platform::FileDialogRequest save;
    save.filter = QStringLiteral("Survey report (*.html)|*.html|All files (*.*)|*.*");
    save.defaultSuffix = QStringLiteral("html");
    save.initialFolder = QFileInfo(source).absolutePath();
    const std::optional<QString> target = dialogs_.SaveFile(this, save);
    if (!target || target->isEmpty()) return;
    if (QFileInfo::exists(*target)) {
        host_.Inform(model::AlreadyExistsMessage(ToPath(*target)));
        return;
    }
    if (const platform::Status saved = platform::WriteNewFile(ToPath(*target), *report); !saved)
        host_.Inform("Unable to save " + ToPath(*target) + " (" + saved.error + ").  Please Select a different file name.");
}

void CompareTab::CreateUpdatedFile() {
    if (!clobber_)
        clobber_ = std::make_unique<ClobberWindow>(host_, settings_, sourceName_(), txtVictimName_->text());
    const compare::ResetMode mode = optClobber_[0]->isChecked()   ? compare::ResetMode::ResetAll
                                    : optClobber_[1]->isChecked() ? compare::ResetMode::ResetNone
                                                                  : compare::ResetMode::Preview;
    const bool fitted =
        WithinMemory(host_, [&] { app::RunUpdate(session_, mode, optAppend_[0]->isChecked(), *clobber_, &host_); });
    ShowRows();
    if (!fitted) return;
    WithinMemory(host_, [&] {
        BusyCursor busy;  // over both windows
        app::ShowResults(session_, host_, settings_, ToPath(sourceName_()));
    });
}

}  // namespace quillset::ui
