#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "session.h"
#include "ui/app_host.h"
#include "ui/fake_ui.h"
#include "ui/results_window.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window = new ResultsWindow(session, prompter, dialogs);
        window->show();
    }
    void TearDown() override { delete window.data(); }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) const {
        auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    QPlainTextEdit* Text() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("RichTextResults")); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton); }
    void SaveTo(const QString& path) {
        dialogs.answers.push_back(path);
        Click("cmdSaveResults");
    }

    QTemporaryDir dir;
    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    QPointer<ResultsWindow> window;
};

TEST_F(ResultsWindowTest, CaptionsToolTipsAndTabOrder) {
    EXPECT_EQ(window->objectName(), "frmResults");
    EXPECT_EQ(window->windowTitle(), "Quillset Results Form");
    const struct { const char* name; const char* caption; const char* tip; } expected[] = {
        {"cmdSaveResults", "Save As...", "Click Here to Save Visible Results to File"},
        {"cmdClear", "Clear", "Click Here to Clear Visible Calculations"},
        {"cmdClose", "Close", "Click Here to Dismiss Results Form"},
        {"cmdAppend", "Append to...", ""},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(Button(e.name)->text(), QString::fromLatin1(e.caption));
        EXPECT_EQ(Button(e.name)->toolTip(), QString::fromLatin1(e.tip));
    }
    ASSERT_NE(Text(), nullptr);
    EXPECT_FALSE(Text()->isReadOnly());
    EXPECT_TRUE(Text()->toPlainText().isEmpty());

    const QStringList tabOrder{"cmdSaveResults", "cmdClear", "RichTextResults", "cmdClose", "cmdAppend"};
    QStringList order;
    QWidget* w = Button("cmdSaveResults");
    do {
        if (tabOrder.contains(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Button("cmdSaveResults"));
    EXPECT_EQ(order, tabOrder);

    // Greyed out: a click does nothing; its command only says it is to come.
    EXPECT_FALSE(Button("cmdAppend")->isEnabled());
    Click("cmdAppend");
    EXPECT_TRUE(prompter.messages.isEmpty());
    window->AppendTo();
    EXPECT_EQ(prompter.messages, QStringList{"function is coming soon"});
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ResultsWindowTest, SaveDialogOffersTheLastOutputKindFirst) {
    const struct { int kind; const char* filter; const char* suffix; } cases[] = {
        {0, ".ini file (*.ini)|*.ini|Spreadsheet Ready (*.csv)|*.csv|tab separated preferences(*.txt)|*.txt|"
            "All files (*.*)|*.*", "ini"},
        {1, "Spreadsheet Ready (*.csv)|*.csv|.ini file (*.ini)|*.ini|tab separated preferences (*.txt)|*.txt|"
            "All files (*.*)|*.*", "csv"},
        {2, "Preferences tab separated (*.txt)|*.txt|Spreadsheet Ready (*.csv)|*.csv|.ini file (*.ini)|*.ini|"
            "All files (*.*)|*.*", "txt"},
        {7, "Preferences tab separated (*.txt)|*.txt|Spreadsheet Ready (*.csv)|*.csv|.ini file (*.ini)|*.ini|"
            "All files (*.*)|*.*", "txt"},
    };
    for (const auto& c : cases) {
        session.outputKind = static_cast<std::int16_t>(c.kind);
        Click("cmdSaveResults");
        const auto& request = dialogs.lastRequest();
        EXPECT_EQ(request.filter, QString::fromLatin1(c.filter)) << c.kind;
        EXPECT_EQ(platform::ToQtNameFilters(request.filter).size(), 4);
        EXPECT_EQ(request.filterIndex, 0);
        EXPECT_EQ(request.defaultSuffix, QString::fromLatin1(c.suffix));
        EXPECT_TRUE(QDir(request.initialFolder).exists()) << request.initialFolder.toStdString();
    }
    EXPECT_EQ(dialogs.calls.front().kind, FakeFileDialogs::Kind::Save);
    // A description without its pattern gets it appended for the Qt dialog.
    EXPECT_EQ(platform::ToQtNameFilters("Preference Files|*.ini;*.txt|All (*.*)|*.*"),
              QStringList({"Preference Files (*.ini *.txt)", "All (*.*)"}));
    // Cancelling writes nothing and says nothing.
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ResultsWindowTest, NeverOverwritesAnExistingFile) {
    const QString existing = Path("keep.ini");
    WriteAll(existing, "original\r\n");
    QTest::keyClicks(Text(), "replacement");

    SaveTo(existing);
    EXPECT_EQ(ReadAll(existing), "original\r\n");
    EXPECT_EQ(prompter.messages,
              QStringList{existing + " already exists!  Please Select a different file name."});

    // The name saved last is offered again; saving it twice is refused too.
    SaveTo(Path("new.ini"));
    EXPECT_EQ(ReadAll(Path("new.ini")), "replacement");
    Click("cmdSaveResults");
    EXPECT_EQ(dialogs.lastRequest().fileName, Path("new.ini"));
    SaveTo(Path("new.ini"));
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(ReadAll(Path("new.ini")), "replacement");
}

TEST_F(ResultsWindowTest, TypedTextIsSavedWithCrLf) {
    QTest::keyClicks(Text(), "[ A ]");
    QTest::keyClick(Text(), Qt::Key_Return);
    QTest::keyClicks(Text(), "k=v");
    SaveTo(Path("typed.ini"));
    EXPECT_EQ(ReadAll(Path("typed.ini")), "[ A ]\r\nk=v");
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ResultsWindowTest, ClearThenSaveWritesAnEmptyFile) {
    session.output.Append("line");
    Text()->setPlainText("something");
    Click("cmdClear");
    EXPECT_TRUE(Text()->toPlainText().isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(session.output.Slots(), std::vector<std::string>(501));
    EXPECT_EQ(session.output.Count(), 1);

    SaveTo(Path("empty.ini"));
    ASSERT_TRUE(QFile::exists(Path("empty.ini")));
    EXPECT_EQ(ReadAll(Path("empty.ini")), QByteArray());
}

TEST_F(ResultsWindowTest, FailedWriteNamesTheFileAndKeepsTheText) {
    Text()->setPlainText("precious");
    const QString target = Path("missing/out.ini");
    SaveTo(target);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains(target));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(Text()->toPlainText(), "precious");
}

TEST_F(ResultsWindowTest, TextBeyondSingleBytesIsRefusedNotMangled) {
    const QString typed = QString::fromUtf8("[ A ]\nk=caf\u00e9\nprice=5\u20ac and \u2126");
    Text()->setPlainText(typed);
    const QString target = Path("euro.ini");
    SaveTo(target);
    EXPECT_EQ(prompter.messages,
              QStringList{"Unable to save " + target +
                          ": the text holds characters that cannot be stored in a single-byte text file, "
                          "the first being \"" + QString::fromUtf8("\u20ac") +
                          "\" (U+20AC) in line 3.  Please replace them and save again."});
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(Text()->toPlainText(), typed);

    // Outside the basic plane the character is named whole.
    Text()->setPlainText(QString::fromUtf8("x\U0001F600"));
    SaveTo(Path("face.ini"));
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[1].contains(QString::fromUtf8("\"\U0001F600\" (U+1F600) in line 1")))
        << prompter.messages[1].toStdString();
    EXPECT_FALSE(QFile::exists(Path("face.ini")));
}

TEST_F(ResultsWindowTest, HighBytesRoundTripUnchanged) {
    QByteArray bytes = "[ Symbology ]\r\n";
    for (int b = 0x80; b <= 0xFF; ++b) bytes.append(static_cast<char>(b));
    bytes.append("\r\n\t x\xA0y\r\n\r\n");
    for (int b = 0x01; b < 0x20; ++b)
        if (b != '\r' && b != '\n') bytes.append(static_cast<char>(b));
    bytes.append("\r\n");
    WriteAll(Path("quillset.tmp"), bytes);

    ASSERT_TRUE(window->LoadFile(Path("quillset.tmp")));
    EXPECT_EQ(window->TextBytes(), bytes);
    SaveTo(Path("saved.ini"));
    EXPECT_EQ(ReadAll(Path("saved.ini")), bytes);

    // Lone CRs and LFs show as line breaks and are saved as CRLF.
    WriteAll(Path("mixed.tmp"), "a\rb\nc\r\n");
    ASSERT_TRUE(window->LoadFile(Path("mixed.tmp")));
    EXPECT_EQ(Text()->toPlainText(), "a\nb\nc\n");
    EXPECT_EQ(window->TextBytes(), "a\r\nb\r\nc\r\n");

    EXPECT_FALSE(window->LoadFile(Path("absent.tmp")));
    EXPECT_EQ(Text()->toPlainText(), "a\nb\nc\n");
}

TEST_F(ResultsWindowTest, NulByteSurvivesTheRoundTrip) {
    const QByteArray bytes("a\0b\r\n", 5);
    WriteAll(Path("nul.tmp"), bytes);
    ASSERT_TRUE(window->LoadFile(Path("nul.tmp")));
    EXPECT_EQ(window->TextBytes(), bytes);
}

TEST_F(ResultsWindowTest, CloseHidesClearsAndResetsTheKind) {
    session.output.Append("x");
    session.outputKind = 1;
    Text()->setPlainText("x");
    Click("cmdClose");
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session.outputKind, 0);
    EXPECT_TRUE(Text()->toPlainText().isEmpty());
    EXPECT_EQ(session.output.Slots(), std::vector<std::string>(501));
}

TEST_F(ResultsWindowTest, TitleBarCloseDestroysButKeepsTheOutput) {
    session.output.Append("kept");
    session.outputKind = 2;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(session.outputKind, 0);
    ASSERT_EQ(session.output.Count(), 1);
    EXPECT_EQ(session.output.Slots()[0], "kept");
}

TEST_F(ResultsWindowTest, LayoutFollowsTheUnitsAndNeverGoesNegative) {
    // At 96 dpi a unit is 100.05 / 15 px across and 54.75 / 15 px down; the
    // window opens at its design size of 9795 x 5400 twips.
    ASSERT_EQ(window->logicalDpiX(), 96);
    EXPECT_EQ(window->size(), QSize(653, 360));
    EXPECT_EQ(Button("cmdClear")->geometry(), QRect(566, 7, 81, 33));
    EXPECT_EQ(Button("cmdSaveResults")->geometry(), QRect(566, 55, 81, 33));
    EXPECT_EQ(Button("cmdAppend")->geometry(), QRect(566, 102, 81, 33));
    EXPECT_EQ(Button("cmdClose")->geometry(), QRect(566, 316, 81, 33));
    EXPECT_EQ(Text()->geometry(), QRect(10, 5, 546, 353));

    // The right-hand column follows the edge; "Close" follows the bottom.
    window->resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(Button("cmdClear")->geometry(), QRect(713, 7, 81, 33));
    EXPECT_EQ(Button("cmdClose")->geometry().top(), 456);

    window->resize(30, 20);
    QCoreApplication::processEvents();
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_GE(w->x(), 0) << w->objectName().toStdString();
        EXPECT_GE(w->y(), 0) << w->objectName().toStdString();
        EXPECT_GE(w->width(), 0);
        EXPECT_GE(w->height(), 0);
    }
}

TEST(AppHostTest, ShowResultsFileCreatesTheWindowOnceAndReusesIt) {
    QTemporaryDir dir;
    const QString first = dir.filePath("one.tmp");
    const QString second = dir.filePath("two.tmp");
    WriteAll(first, "first\r\n");
    WriteAll(second, "second\r\n");
    Session session;
    FakePrompter prompter;
    FakeFileDialogs dialogs;
    AppHost host(session, prompter, dialogs);
    EXPECT_EQ(host.resultsWindow(), nullptr);

    host.ShowResultsFile(first.toStdString());
    QPointer<ResultsWindow> window = host.resultsWindow();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->TextBytes(), "first\r\n");

    window->findChild<QPushButton*>("cmdClose")->click();
    host.ShowResultsFile(second.toStdString());
    EXPECT_EQ(host.resultsWindow(), window.data());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->TextBytes(), "second\r\n");

    // A minimised window comes back as a window, not as an icon.
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    host.ShowResultsFile(first.toStdString());
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->TextBytes(), "first\r\n");

    host.ShowResultsFile(dir.filePath("absent.tmp").toStdString());
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("absent.tmp"));
    EXPECT_EQ(window->TextBytes(), "first\r\n");

    host.Inform("plain message");
    EXPECT_EQ(prompter.messages.back(), "plain message");

    host.CloseAll();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(host.resultsWindow(), nullptr);
}

}  // namespace
}  // namespace quillset::ui
