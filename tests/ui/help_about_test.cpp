#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QTemporaryDir>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <memory>

#include "platform/help_viewer.h"
#include "session.h"
#include "support/fake_host.h"
#include "ui/about_window.h"
#include "ui/fake_ui.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;
using quillset::testing::FakeSettings;

class HelpAboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(session, prompter, dialogs, settings);
        window->show();
    }
    void Trigger(const char* name) {
        for (QAction* action : window->menuBar()->findChildren<QAction*>()) {
            if (action->objectName() == QLatin1String(name)) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no menu entry " << name;
    }
    static QString Label(QWidget* w, const char* name) {
        auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }

    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    FakeSettings settings;
    std::unique_ptr<MainWindow> window;
};

TEST_F(HelpAboutTest, HelpCommandSetsTheHelpFileAndShowsTheOutline) {
    EXPECT_EQ(window->helpFile(), "quillset_hlp.chm");
    EXPECT_EQ(window->helpWindow(), nullptr);
    Trigger("mnuIniHelp");
    EXPECT_EQ(window->helpFile(), platform::HelpFileBesideProgram());
    HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->objectName(), "frmHelpQuillset");
    EXPECT_EQ(help->windowTitle(), "Quillset Help");
    const QString intro = Label(help, "Label3");
    EXPECT_TRUE(intro.startsWith("Did you try pressing \"F1\"?  If \"F1\" failed, in the Windows Explorer "
                                 "double-click the Help file, quillset_hlp.chm (it is usually in the "
                                 "product directory).  It is available from "));
    EXPECT_TRUE(intro.endsWith(". Else, here's a very brief outline:"));
    EXPECT_EQ(Label(help, "Label2"), "Program workflow is as follows:  ");
    EXPECT_EQ(Label(help, "Label4"), "1) Input: select a file (either a .ini or .csv file); select header "
                                     "types and hit the \"Process\" button.  ");
    EXPECT_EQ(Label(help, "Label5"), "2) Filter: Select keywords to be processed (allows narrowing of "
                                     "scope of targets, if desired). ");
    EXPECT_EQ(Label(help, "Label6"), "3) Select the Quillset Function tab of your choice to create various outputs");
    EXPECT_EQ(Label(help, "Label1"),
              "Output is currently through the Results Form, which can be edited and saved to a file.");
    EXPECT_EQ(Label(help, "Label7"), "Microsoft HTML Help is supported in Windows 98 and 2000 and forward "
                                     "and on Internet Explorer 4 and forward.");

    // "Close" hides it; the next help command shows the same window.
    help->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(help->isVisible());
    Trigger("mnuIniHelp");
    EXPECT_EQ(window->helpWindow(), help);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(HelpAboutTest, AboutShowsTitleVersionAndTheUnavailableSystemInfo) {
    Trigger("mnuAboutQuillset");
    QPointer<AboutWindow> about = window->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->objectName(), "frmAboutQuillset");
    EXPECT_EQ(about->windowTitle(), "About Quillset");
    EXPECT_EQ(Label(about, "lblTitle"), "Quillset");
    EXPECT_EQ(Label(about, "lblVersion"), QStringLiteral("Version ") + QStringLiteral(QUILLSET_VERSION));
    EXPECT_EQ(Label(about, "lblDisclaimer"),
              "Warning:  Always verify results before overwriting files.  Maintain backups.");
    EXPECT_FALSE(Label(about, "lblDescription").isEmpty());

    auto* sysInfo = about->findChild<QPushButton*>("cmdSysInfo");
    EXPECT_EQ(sysInfo->text(), "&System Info...");
    sysInfo->click();
    EXPECT_EQ(prompter.messages, QStringList{"System Information Is Unavailable At This Time"});

    about->findChild<QPushButton*>("cmdOK")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());

    // Each use makes a new window.
    Trigger("mnuAboutQuillset");
    EXPECT_NE(window->aboutWindow(), nullptr);
}

TEST_F(HelpAboutTest, InformationalMenuEntriesDoNothing) {
    Trigger("ini_chm_call");
    Trigger("mnuCallSupport");
    Trigger("mnuExportImp");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(window->helpWindow(), nullptr);
    EXPECT_EQ(window->aboutWindow(), nullptr);
    EXPECT_EQ(window->helpFile(), "quillset_hlp.chm");
}

TEST_F(HelpAboutTest, HelpFileIsLookedForBesideTheProgramNotInTheWorkingFolder) {
    // F1 has its shortcut from the start, and a missing help file is no error.
    bool hasF1 = false;
    for (QShortcut* shortcut : window->findChildren<QShortcut*>())
        hasF1 = hasF1 || shortcut->key() == QKeySequence(Qt::Key_F1);
    EXPECT_TRUE(hasF1);
    EXPECT_EQ(platform::LocateHelpFile(window->helpFile()), QString());
    EXPECT_FALSE(platform::OpenHelpFile(window->helpFile()));

    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    QFile inWorkingFolder(elsewhere.filePath(platform::kHelpFileName));
    ASSERT_TRUE(inWorkingFolder.open(QIODevice::WriteOnly));
    inWorkingFolder.close();
    EXPECT_EQ(platform::LocateHelpFile(platform::kHelpFileName), QString());

    QFile beside(platform::HelpFileBesideProgram());
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(platform::LocateHelpFile(platform::kHelpFileName), platform::HelpFileBesideProgram());
    EXPECT_EQ(platform::LocateHelpFile(platform::HelpFileBesideProgram()), platform::HelpFileBesideProgram());
    beside.remove();
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quillset::ui
