#pragma once
// The main window: the source file and its counts, the keyword filter, and
// the function tabs. It reads its controls, calls the core and shows what the
// core left in the session.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/source_model.h"
#include "selection/keywords.h"
#include "ui/about_window.h"
#include "ui/help_window.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QTabWidget;
class QTreeView;

namespace quillset {
struct Session;
class Host;
class SettingsStore;
}
namespace quillset::platform {
class FileDialogs;
}

namespace quillset::ui {

class AppHost;
class ColumnShares;
class CompareTab;
class HeaderListModel;
class KeywordListModel;
class Prompter;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, Prompter& prompter, platform::FileDialogs& dialogs,
               SettingsStore& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppHost& host() { return *host_; }

    // Names the source as if the user had typed it (the command line's file).
    void TypeSourceName(const QString& name);
    // A source name given whole (dropped, or chosen from Recent Files),
    // taken as typed into the box and confirmed with Enter.
    void EnterSourceName(const QString& name);

    // The control groups, switched as a whole by the commands.
    const std::vector<QWidget*>& countLabels() const { return countLabels_; }
    const std::vector<QWidget*>& listControls() const { return listControls_; }
    const std::vector<QWidget*>& keywordControls() const { return keywordControls_; }
    const std::vector<QWidget*>& functionControls() const { return functionControls_; }
    const std::vector<QWidget*>& compareControls() const { return compareControls_; }

    model::SourceKind sourceKind() const { return sourceKind_; }
    // What F1 opens: the bare help file name until the help command set the
    // full path beside the program.
    const QString& helpFile() const { return helpFile_; }
    HelpWindow* helpWindow() const { return help_; }
    AboutWindow* aboutWindow() const { return about_; }
    CompareTab* compareTab() const { return compareTab_; }

    // Empties the list boxes and the session's keyword state.
    void ClearLists();
    void ResetFile1();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildInputFrame();
    QWidget* BuildKeywordFrame();
    QWidget* BuildTabs();
    QWidget* BuildSortExportsTab();
    QWidget* BuildResizerTab();
    QWidget* BuildCompareTab();
    void BuildHiddenSet();
    void BuildMenus();
    // File drops and the buttons' keyboard shortcuts.
    void BuildHabits();
    void ShowRecentFiles();
    void RememberSource(const QString& name);
    void BuildGroups();
    void StartUp();
    void SizeColumns();

    void OnSourceNameChanged();
    void ValidateSourceName();
    void Browse();
    void Process();
    void CountInto(const QString& name);
    model::CountProgress LabelProgress();
    void ShowCounts(const model::SourceCounts& counts);
    void ShowLists();
    void ShowHeaderList();
    void RunKeywordCommand(const std::function<selection::CommandResult()>& command);
    void Apply(const selection::CommandResult& result);
    void SetEnabled(const std::vector<QWidget*>& group, bool enabled);
    selection::RefreshContext Context() const;
    static std::vector<std::size_t> SelectedRows(const QListView* view);
    using ExportCommand = bool (*)(Session&, Host&, SettingsStore&, const std::string&);
    // The three export buttons: the source check failing puts the focus
    // back into the source name box.
    void RunExport(ExportCommand command);
    void ShowHelp();
    void ShowAbout();

    Session& session_;
    Prompter& prompter_;
    platform::FileDialogs& dialogs_;
    SettingsStore& settings_;
    std::unique_ptr<AppHost> host_;

    QLineEdit* txtSeedIn_ = nullptr;
    QCheckBox* chkShoFeature_ = nullptr;
    QCheckBox* chkShoSymbol_ = nullptr;
    QCheckBox* chkShoFilters_ = nullptr;
    QCheckBox* chkShoPreferences_ = nullptr;
    QGroupBox* frmHeaders_ = nullptr;
    QListView* lstHdrAvail_ = nullptr;
    QListView* lstGreps_ = nullptr;
    KeywordListModel* availModel_ = nullptr;
    KeywordListModel* selectedModel_ = nullptr;
    QLineEdit* txtGrep_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    QTreeView* lvHeaders_ = nullptr;
    HeaderListModel* headerModel_ = nullptr;
    ColumnShares* headerColumns_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::vector<std::string> recent_;  // newest first, as kept in the settings
    CompareTab* compareTab_ = nullptr;
    QListWidget* lstPrevuTextResize_ = nullptr;
    QListWidget* ListMatchingHeaders_ = nullptr;
    QListWidget* lstConflicts_ = nullptr;
    QListWidget* lstClobber_ = nullptr;

    std::vector<QWidget*> countLabels_;
    std::vector<QWidget*> listControls_;
    std::vector<QWidget*> keywordControls_;
    std::vector<QWidget*> functionControls_;
    std::vector<QWidget*> compareControls_;

    model::SourceKind sourceKind_ = model::SourceKind::Ini;
    QString lastBrowseName_;
    QString helpFile_;
    QPointer<HelpWindow> help_;
    QPointer<AboutWindow> about_;
    bool validating_ = false;
    bool columnsSized_ = false;
};

}  // namespace quillset::ui
