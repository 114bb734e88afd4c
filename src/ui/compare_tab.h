#pragma once
// The "Compare 2 ini's" tab: the test file name, the comparison list with its
// counters, the reset and append options and "Create Updated File".

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "model/source_model.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeView;

namespace quillset {
struct Session;
class SettingsStore;
}
namespace quillset::platform {
class FileDialogs;
}

namespace quillset::ui {

class AppHost;
class ClobberWindow;
class ColumnShares;

// The comparison rows in the order the core shows them; a "Both: Different"
// row's tool tip lists the settings that differ by key.
class CompareListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CompareListModel(const Session& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Reset();

private:
    const Session& session_;
    std::vector<std::size_t> order_;
};

class CompareTab : public QWidget {
    Q_OBJECT
public:
    // `sourceName` gives the text of the source file name box; `browseName`
    // is the file name the shared open dialog holds.
    // `categories` gives the ticked categories, named in a survey's report.
    CompareTab(Session& session, AppHost& host, platform::FileDialogs& dialogs, SettingsStore& settings,
               std::function<QString()> sourceName, QString& browseName,
               std::function<model::CategoryChoice()> categories, QWidget* parent = nullptr);
    ~CompareTab() override;

    // The group switched together, in its order.
    const std::vector<QWidget*>& compareControls() const { return compareControls_; }
    // The confirmation window once an update run has created it.
    ClobberWindow* clobberWindow() const { return clobber_.get(); }

    // A new source name: the rows go and the test file box starts over.
    void ResetForNewSource();
    // Column widths as fractions of the list's current width.
    void SizeColumns(int listWidth);
    // A test file name given whole (a file dropped on the box), taken as
    // typed into the box and confirmed with Enter.
    void EnterTestName(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnTestNameChanged();
    void Compare();
    void Browse();
    void CreateUpdatedFile();
    // Several test files against the source at once: the report opens in
    // the desktop's browser and may be saved under a new name.
    void SurveyVariants();
    void ShowRows();
    void SetControlsEnabled(bool enabled);

    Session& session_;
    AppHost& host_;
    platform::FileDialogs& dialogs_;
    SettingsStore& settings_;
    std::function<QString()> sourceName_;
    QString& browseName_;
    std::function<model::CategoryChoice()> categories_;

    QLineEdit* txtVictimName_ = nullptr;
    QTreeView* lvHeaderCompare_ = nullptr;
    CompareListModel* model_ = nullptr;
    ColumnShares* columns_ = nullptr;
    std::vector<QLabel*> counters_;  // control only, test only, different, identical
    std::vector<QRadioButton*> optClobber_;
    std::vector<QRadioButton*> optAppend_;
    std::vector<QWidget*> compareControls_;
    std::unique_ptr<ClobberWindow> clobber_;
};

}  // namespace quillset::ui
