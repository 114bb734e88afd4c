#include "ui/screenshot_walk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

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
    Click(window, "cmdExportHeaders");
    Save(window.host().resultsWindow(), folder, "5-results");
    auto* tabs = window.findChild<QTabWidget*>("SSTab1");
    tabs->setCurrentIndex(1);
    Save(&window, folder, "6-text-resizer");
    tabs->setCurrentIndex(2);
    Save(&window, folder, "7-compare");
    // A test copy of the source with one curb setting changed and one block
    // dropped, so the update has a difference to confirm.
    QFile source(window.findChild<QLineEdit*>("txtSeedIn")->text());
    if (source.open(QIODevice::ReadOnly)) {
        QByteArray bytes = source.readAll();
        bytes.replace("Back of curb", "Back of kerb");
        const qsizetype recent = bytes.indexOf("[ Recent Files List ]");
        if (recent >= 0) bytes.remove(recent, bytes.indexOf("[ ToolBar") - recent);
        QFile test(QDir(folder).filePath("test.ini"));
        if (test.open(QIODevice::WriteOnly)) test.write(bytes);
        test.close();
        window.findChild<QLineEdit*>("txtVictimName")->setText(test.fileName());
        Save(&window, folder, "8-compared");
        auto* timer = new QTimer(&window);
        QObject::connect(timer, &QTimer::timeout, [&window, folder, timer] {
            ClobberWindow* form = window.compareTab()->clobberWindow();
            if (!form || !form->isVisible()) return;
            timer->stop();
            Save(form, folder, "9-clobber");
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
