#pragma once
// "Quillset Clobber Form": the control block and the test block of one
// different header side by side, line against line, with the choice between
// clobbering the test block and keeping it, for this block or the rest.

#include <QDialog>
#include <QString>

#include "compare/update.h"

class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace quillset {
class Host;
class SettingsStore;
}

namespace quillset::ui {

class PairedLines;

class ClobberWindow : public QDialog, public compare::BlockPreviewer {
    Q_OBJECT
public:
    // The column headers name the two files as they are now and keep these
    // names for the window's life. Its size and place are kept in `settings`.
    ClobberWindow(Host& host, SettingsStore& settings, const QString& sourceName, const QString& testName);

    // Fills the list and shows the window modally until a button decides.
    compare::Decision Decide(const compare::CompareRow& row,
                             const std::vector<compare::PairedLine>& lines) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Choose(compare::Decision decision);
    void ApplyLayout();

    Host& host_;
    compare::Decision decision_ = compare::Decision::SkipThis;
    double unitX_ = 0;  // pixels per horizontal design unit
    QPushButton* cmdClobber_ = nullptr;
    QPushButton* cmdSkip_ = nullptr;
    QPushButton* cmdSkipAll_ = nullptr;
    QPushButton* cmdClobberAll_ = nullptr;
    QTreeWidget* lvClobber_ = nullptr;
    QPushButton* cmdCloseClobber_ = nullptr;
    QLabel* lblClobber_ = nullptr;
    QLabel* lblSkip_ = nullptr;
    QFrame* line1_ = nullptr;
    PairedLines* lines_ = nullptr;
};

}  // namespace quillset::ui
