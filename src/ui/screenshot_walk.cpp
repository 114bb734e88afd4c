#include "ui/screenshot_walk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "ui/about_window.h"
#include "ui/app_host.h"
#include "ui/clobber_window.h"
#include "ui/compare_tab.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/results_window.h"

namespace quillset::ui {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Save(QWidget* widget, const QString& folder, const QString& name) {
    if (!widget) return;
    Settle();
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void Click(MainWindow& window, const char* name) {
    if (auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name))) button->click();
    Settle();
}

// The whole screen, for what lies outside a window (a tool tip).
void SaveScreen(QWidget* on, const QString& folder, const QString& name) {
    Settle();
    if (QScreen* screen = on->screen())
        screen->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Maximised, or given the whole screen where no window manager maximises.
void Maximise(QWidget* window) {
    const QSize before = window->size();
    window->showMaximized();
    Settle();
    if (window->size() == before && window->screen())
        window->setGeometry(window->screen()->availableGeometry());
    Settle();
}

void Restore(QWidget* window, const QRect& geometry) {
    window->showNormal();
    window->setGeometry(geometry);
    Settle();
}

// The preview of long text symbology lines, scrolled to their ends, and one
// line whole in its tool tip.
void PictureLongPreview(MainWindow& window, const QString& folder) {
    auto* list = window.findChild<QListWidget*>("lstPrevuTextResize");
    if (!list) return;
    const QList<QListWidgetItem*> lines = list->findItems("TextSymbology", Qt::MatchContains);
    if (lines.isEmpty()) return;
    list->scrollToItem(lines.front(), QAbstractItemView::PositionAtTop);
    Save(&window, folder, "6b-preview-long-lines");
    const QModelIndex line = list->indexFromItem(lines.front());
    // In front of the Results window, and settled before the tip comes:
    // activation hides a tip.
    window.raise();
    window.activateWindow();
    Settle();
    QToolTip::showText(list->viewport()->mapToGlobal(list->visualRect(line).topLeft() + QPoint(20, 4)),
                       line.data().toString(), list->viewport());
    SaveScreen(&window, folder, "6c-preview-tool-tip");
    QToolTip::hideText();
    list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
    Save(&window, folder, "6d-preview-scrolled");
    list->horizontalScrollBar()->setValue(0);
}

// The confirmation window with long lines: as designed, each side scrolled
// to its end, and maximised.
void PictureLongClobber(ClobberWindow* form, const QString& folder) {
    Save(form, folder, "9b-clobber-long-lines");
    for (const char* name : {"hsbControl", "hsbTest"})
        if (auto* bar = form->findChild<QScrollBar*>(name)) bar->setValue(bar->maximum());
    Save(form, folder, "9c-clobber-scrolled");
    const QRect designed = form->geometry();
    Maximise(form);
    Save(form, folder, "9d-clobber-maximised");
    Restore(form, designed);
}

}  // namespace

void RunScreenshotWalk(MainWindow& window, const QString& folder) {
    QDir().mkpath(folder);
    Save(&window, folder, "1-counted");
    Click(window, "cmdProcessInput");
    Save(&window, folder, "2-processed");
    window.findChild<QLineEdit*>("txtGrep")->setText("Curb");
    Click(window, "cmdHeaderGrep");
    Save(&window, folder, "3-grep");
    Click(window, "cmdAddAll");
    Save(&window, folder, "4-add-all");
    const QRect designed = window.geometry();
    Maximise(&window);
    Save(&window, folder, "4b-maximised");
    Restore(&window, designed);
    Click(window, "cmdExportHeaders");
    Save(window.host().resultsWindow(), folder, "5-results");
    auto* tabs = window.findChild<QTabWidget*>("SSTab1");
    tabs->setCurrentIndex(1);
    Save(&window, folder, "6-text-resizer");
    Click(window, "cmdPreVuResize");
    PictureLongPreview(window, folder);
    tabs->setCurrentIndex(2);
    Save(&window, folder, "7-compare");
    // A test copy of the source with one curb setting changed and one block
    // dropped, so the update has a difference to confirm.
    QFile source(window.findChild<QLineEdit*>("txtSeedIn")->text());
    if (source.open(QIODevice::ReadOnly)) {
        QByteArray bytes = source.readAll();
        bytes.replace("Back of curb", "Back of kerb");
        // And a long line with two fields changed, for the marks.
        bytes.replace("004PlanTextSymbology=RD-CURB-TXT,12,3,0,Standard,2.5,2.5,1.2,Annotation,0,0,7,0.0,0.0,0.0,0,0,0,0,1,",
                      "004PlanTextSymbology=RD-CURB-TXT,12,3,0,Standard,2.0,2.5,1.2,Annotation,0,0,7,0.0,0.0,0.0,0,0,0,0,2,");
        const qsizetype recent = bytes.indexOf("[ Recent Files List ]");
        if (recent >= 0) bytes.remove(recent, bytes.indexOf("[ ToolBar") - recent);
        QFile test(QDir(folder).filePath("test.ini"));
        if (test.open(QIODevice::WriteOnly)) test.write(bytes);
        test.close();
        window.findChild<QLineEdit*>("txtVictimName")->setText(test.fileName());
        Save(&window, folder, "8-compared");
        const QRect designed = window.geometry();
        Maximise(&window);
        Save(&window, folder, "8b-compared-maximised");
        Restore(&window, designed);
        auto* timer = new QTimer(&window);
        auto previews = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [&window, folder, timer, previews] {
            ClobberWindow* form = window.compareTab()->clobberWindow();
            if (!form || !form->isVisible()) return;
            // The first different block has short lines, the second long ones.
            if (++*previews == 1) {
                Save(form, folder, "9-clobber");
                if (auto* one = form->findChild<QPushButton*>("cmdClobber")) one->click();
                return;
            }
            timer->stop();
            PictureLongClobber(form, folder);
            if (auto* rest = form->findChild<QPushButton*>("cmdClobberAll")) rest->click();
        });
        timer->start(50);
        Click(window, "cmdFileClobber");
        Save(window.host().resultsWindow(), folder, "10-updated");
    }
    tabs->setCurrentIndex(0);
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (action->objectName() == "mnuIniHelp" || action->objectName() == "mnuAboutQuillset")
            action->trigger();
    }
    Save(window.helpWindow(), folder, "11-help");
    Save(window.aboutWindow(), folder, "12-about");
    if (auto* help = window.findChild<QMenu*>("mnuHelp")) {
        help->popup(window.mapToGlobal(QPoint(60, 20)));
        Save(help, folder, "13-help-menu");
        help->hide();
    }
    // Nothing here is worth keeping: no question about unsaved results.
    if (ResultsWindow* results = window.host().resultsWindow())
        if (auto* clear = results->findChild<QPushButton*>("cmdClear")) clear->click();
    window.close();
    QApplication::quit();
}

}  // namespace quillset::ui
