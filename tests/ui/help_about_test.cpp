#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>

#include "platform/help_viewer.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

class HelpAboutTest : public quillset::testing::MainWindowFixture {
protected:
    void Trigger(const char* name) {
        auto* action = window->menuBar()->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    static QString Label(QWidget* w, const char* name) {
        auto* label = w->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
};

TEST_F(HelpAboutTest, HelpCommandShowsTheOutlineAndCloseOnlyHidesIt) {
    Trigger("mnuIniHelp");
    EXPECT_EQ(window->helpFile(), platform::HelpFileBesideProgram());
    QPointer<HelpWindow> help = window->helpWindow();
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Quillset Help");
    const QString intro = Label(help, "Label3");
    EXPECT_TRUE(intro.startsWith("Did you try pressing \"F1\"?  If \"F1\" failed, in the Windows Explorer "
                                 "double-click the Help file, quillset_hlp.chm (it is usually in the product "
                                 "directory).  It is available from "));
    EXPECT_TRUE(intro.endsWith(". Else, here's a very brief outline:"));
    for (auto [name, text] : {
             std::pair{"Label2", "Program workflow is as follows:  "},
             {"Label4", "1) Input: select a file (either a .ini or .csv file); select header types and hit the "
                        "\"Process\" button.  "},
             {"Label5", "2) Filter: Select keywords to be processed (allows narrowing of scope of targets, if "
                        "desired). "},
             {"Label6", "3) Select the Quillset Function tab of your choice to create various outputs"},
             {"Label1", "Output is currently through the Results Form, which can be edited and saved to a file."},
             {"Label7", "Microsoft HTML Help is supported in Windows 98 and 2000 and forward and on Internet Explorer "
                        "4 and forward."}})
        EXPECT_EQ(Label(help, name), text) << name;

    // "Close" hides it; the next help command shows the same window.
    help->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(help->isVisible());
    Trigger("mnuIniHelp");
    EXPECT_EQ(window->helpWindow(), help);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(HelpAboutTest, AboutShowsTitleVersionAndTheUnavailableSystemInfoAndOkDestroysIt) {
    Trigger("mnuAboutQuillset");
    QPointer<AboutWindow> about = window->aboutWindow();
    ASSERT_TRUE(about && about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Quillset");
    EXPECT_EQ(Label(about, "lblTitle"), "Quillset");
    EXPECT_EQ(Label(about, "lblVersion"), "Version " QUILLSET_VERSION);
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
    Trigger("mnuAboutQuillset");  // each use makes a new window
    EXPECT_NE(window->aboutWindow(), nullptr);
}

TEST_F(HelpAboutTest, InformationalEntriesDoNothingAndTheHelpFileIsLookedForBesideTheProgramOnly) {
    for (const char* entry : {"ini_chm_call", "mnuCallSupport", "mnuExportImp"}) Trigger(entry);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(window->helpWindow() == nullptr && window->aboutWindow() == nullptr);
    EXPECT_EQ(window->helpFile(), "quillset_hlp.chm");

    // F1 has its shortcut from the start, and a missing help file is no error.
    auto* f1 = window->findChild<QShortcut*>("F1");
    EXPECT_TRUE(f1 && f1->key() == QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(platform::OpenHelpFile(window->helpFile()));

    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(QFile(dir.filePath(platform::kHelpFileName)).open(QIODevice::WriteOnly));
    EXPECT_EQ(platform::LocateHelpFile(platform::kHelpFileName), QString());
    const QString beside = platform::HelpFileBesideProgram();
    EXPECT_TRUE(QFile(beside).open(QIODevice::WriteOnly));
    EXPECT_EQ(platform::LocateHelpFile(platform::kHelpFileName), beside);
    EXPECT_EQ(platform::LocateHelpFile(beside), beside);
    QFile::remove(beside);
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quillset::ui
