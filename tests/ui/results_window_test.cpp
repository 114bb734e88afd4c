#include <QClipboard>
#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <algorithm>

#include "ui/byte_text_view.h"
#include "ui/window_fixture.h"

namespace quillset::ui {
namespace {

using quillset::testing::FakeFileDialogs;
using quillset::testing::FakePrompter;

using quillset::testing::ReadFile;
using quillset::testing::WriteFile;

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window->show(); }
    void TearDown() override { delete window.data(); }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }
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
    QPointer<ResultsWindow> window = new ResultsWindow(session, prompter, dialogs);
};

TEST_F(ResultsWindowTest, CaptionsToolTipsAndTabOrder) {
    EXPECT_EQ(window->windowTitle(), "Quillset Results Form");
    const char* const buttons[][3] = {
        {"cmdSaveResults", "Save As...", "Click Here to Save Visible Results to File"},
        {"cmdClear", "Clear", "Click Here to Clear Visible Calculations"},
        {"cmdClose", "Close", "Click Here to Dismiss Results Form"},
        {"cmdAppend", "Append to...", ""}};
    for (const auto& [name, caption, tip] : buttons) {
        ASSERT_NE(Button(name), nullptr) << name;
        EXPECT_EQ(Button(name)->text(), caption);
        EXPECT_EQ(Button(name)->toolTip(), tip);
    }
    const QStringList tabOrder{"cmdSaveResults", "cmdClear", "RichTextResults", "cmdClose", "cmdAppend"};
    QStringList order;
    QWidget* w = Button("cmdSaveResults");
    do {
        if (tabOrder.contains(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Button("cmdSaveResults"));
    EXPECT_EQ(order, tabOrder);
}

TEST_F(ResultsWindowTest, SaveDialogOffersTheLastOutputKindFirst) {
    const QString ini = ".ini file (*.ini)|*.ini|", csv = "Spreadsheet Ready (*.csv)|*.csv|";
    const QString all = "All files (*.*)|*.*", txt = "Preferences tab separated (*.txt)|*.txt|" + csv + ini + all;
    const struct { int kind; QString filter; const char* suffix; } cases[] = {
        {0, ini + csv + "tab separated preferences(*.txt)|*.txt|" + all, "ini"},
        {1, csv + ini + "tab separated preferences (*.txt)|*.txt|" + all, "csv"},
        {2, txt, "txt"}, {7, txt, "txt"}};
    for (const auto& c : cases) {
        session.outputKind = static_cast<std::int16_t>(c.kind);
        Click("cmdSaveResults");  // and cancel
        const auto& [kind, request] = dialogs.calls.back();
        EXPECT_EQ(kind, FakeFileDialogs::Kind::Save);
        EXPECT_EQ(request.filter, c.filter) << c.kind;
        EXPECT_EQ(request.filterIndex, 0);
        EXPECT_EQ(request.defaultSuffix, QString::fromLatin1(c.suffix)) << c.kind;
        EXPECT_TRUE(QDir(request.initialFolder).exists()) << request.initialFolder.toStdString();
    }
    // A description without its pattern gets it appended for the Qt dialog.
    EXPECT_EQ(platform::ToQtNameFilters("Preference Files|*.ini;*.txt|All (*.*)|*.*"),
              QStringList({"Preference Files (*.ini *.txt)", "All (*.*)"}));
    // Greyed out; its command only says it is to come.
    EXPECT_FALSE(Button("cmdAppend")->isEnabled());
    window->AppendTo();
    EXPECT_EQ(prompter.messages, QStringList{"function is coming soon"});
}

TEST_F(ResultsWindowTest, SaveAsWritesOnlyNewFilesAndSaysWhyItDidNot) {
    WriteFile(Path("keep.ini"), "original\r\n");
    Text()->setPlainText("[ A ]\nk=v");
    SaveTo(Path("keep.ini"));
    EXPECT_EQ(prompter.messages,
              QStringList{Path("keep.ini") + " already exists!  Please Select a different file name."});
    SaveTo(Path("missing/out.ini"));
    EXPECT_TRUE(prompter.messages.last().contains(Path("missing/out.ini")));
    SaveTo(Path("new.ini"));  // the text is still there

    // The name saved last is offered again: taking it is refused too, and
    // cancelling the dialog does nothing.
    Text()->setPlainText("changed");
    SaveTo(Path("new.ini"));
    Click("cmdSaveResults");
    EXPECT_EQ(dialogs.lastRequest().fileName, Path("new.ini"));
    EXPECT_EQ(prompter.messages.size(), 3);

    // Characters a single-byte file cannot hold are refused, not mangled.
    const QString typed = QString::fromUtf8("[ A ]\nk=caf\u00e9\nprice=5\u20ac and \u2126");
    Text()->setPlainText(typed);
    SaveTo(Path("euro.ini"));
    EXPECT_EQ(prompter.messages.last(),
              "Unable to save " + Path("euro.ini") +
                  ": the text holds characters that cannot be stored in a single-byte text file, "
                  "the first being \"" + QString::fromUtf8("\u20ac") +
                  "\" (U+20AC) in line 3.  Please replace them and save again.");
    EXPECT_EQ(Text()->toPlainText(), typed);
    Text()->setPlainText(QString::fromUtf8("x\U0001F600"));  // outside the basic plane: named whole
    SaveTo(Path("face.ini"));
    EXPECT_TRUE(prompter.messages.last().contains(QString::fromUtf8("\"\U0001F600\" (U+1F600) in line 1")));

    // A name that passes the existence check but is taken when the file is
    // made (a link to nowhere looks absent) is refused, not written through.
    ASSERT_TRUE(QFile::link(Path("elsewhere.ini"), Path("late.ini")));
    const qsizetype said = prompter.messages.size();
    SaveTo(Path("late.ini"));
    EXPECT_EQ(prompter.messages.size(), said + 1);

    EXPECT_EQ(ReadFile(Path("keep.ini")), "original\r\n");
    EXPECT_EQ(ReadFile(Path("new.ini")), "[ A ]\r\nk=v");  // with CRLF
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              QStringList({"keep.ini", "late.ini", "new.ini"}));
}

TEST_F(ResultsWindowTest, ClearCloseAndTheTitleBarCloseBox) {
    // Clear empties the text and the output lines (keeping their count);
    // Close also hides the window and resets the kind; the close box destroys
    // the window and resets the kind but keeps the output lines.
    const struct { const char* button; bool visible, linesKept; int kind; } cases[] = {
        {"cmdClear", true, false, 2}, {"cmdClose", false, false, 0}, {nullptr, false, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button ? c.button : "close box");
        window->show();
        session.output.Append("line");
        session.outputKind = 2;
        Text()->setPlainText("text");
        c.button ? Click(c.button) : void(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(window.isNull(), c.button == nullptr);
        EXPECT_TRUE(!window || (window->isVisible() == c.visible && Text()->toPlainText().isEmpty()));
        EXPECT_EQ(session.outputKind, c.kind);
        EXPECT_EQ(std::ranges::count(session.output.Lines(), std::string("line")), c.linesKept ? 1 : 0);
        EXPECT_EQ(session.output.Count(), &c - cases + 1);
    }
}

TEST_F(ResultsWindowTest, LayoutFollowsTheUnitsAndNeverGoesNegative) {
    // At 96 dpi the window opens at its design size of 9795 x 5400 twips.
    ASSERT_EQ(window->logicalDpiX(), 96);
    EXPECT_EQ(window->size(), QSize(653, 360));

    // The right-hand column follows the edge; "Close" follows the bottom.
    window->resize(800, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(Button("cmdClear")->geometry(), QRect(713, 7, 81, 33));
    EXPECT_EQ(Button("cmdClose")->geometry().top(), 456);
    window->resize(30, 20);
    QCoreApplication::processEvents();
    for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(w->x() >= 0 && w->y() >= 0) << w->objectName().toStdString();
}

TEST_F(ResultsWindowTest, HandOffShowsOneWindowWhoseTextSavesByteForByte) {
    QByteArray bytes = "[ Symbology ]\r\n\t x\xA0y\r\n\r\n";
    for (int b = 0x00; b <= 0xFF; ++b)  // NUL and the high bytes too
        if (b != '\r' && b != '\n') bytes.append(static_cast<char>(b));
    WriteFile(Path("in.tmp"), bytes);
    WriteFile(Path("mixed.tmp"), "a\rb\nc\r\n");
    AppHost host(session, prompter, dialogs);
    host.ShowResultsFile(Path("in.tmp").toStdString());
    delete window.data();
    window = host.resultsWindow();
    ASSERT_FALSE(window.isNull());
    SaveTo(Path("saved.ini"));
    EXPECT_EQ(ReadFile(Path("saved.ini")), bytes);

    // Hidden by Close, the same window comes back; lone CRs and LFs show as
    // line breaks and are saved as CRLF.
    Click("cmdClose");
    host.ShowResultsFile(Path("mixed.tmp").toStdString());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Text()->toPlainText(), "a\nb\nc\n");
    EXPECT_EQ(window->TextBytes(), "a\r\nb\r\nc\r\n");
    // Minimised, it comes back as a window, not as an icon.
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    host.ShowResultsFile(Path("in.tmp").toStdString());
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(window->TextBytes(), bytes);
    // Typing parts the text from the loaded bytes: the edit is what is saved.
    Text()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(Text(), "; ");
    SaveTo(Path("edited.ini"));
    EXPECT_EQ(ReadFile(Path("edited.ini")), "; " + bytes);
    host.CloseAll();
    EXPECT_TRUE(window.isNull());
}

TEST_F(ResultsWindowTest, BigTextShowsReadOnlyAtOnceAndTurnsEditableAtTheFirstChange) {
    QByteArray lf, crlf;
    for (int i = 0; i < 100'000; ++i) {
        QByteArray block = "[ Block " + QByteArray::number(i) + " ]\nkey=a\tb,\xE9";
        lf += block + "\n";
        crlf += block.replace('\n', "\r\n") + "\r\n";
    }
    WriteFile(Path("big.tmp"), lf);
    ASSERT_TRUE(window->LoadFile(Path("big.tmp")));
    auto* view = window->findChild<ByteTextView*>(QStringLiteral("RichTextResultsView"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(window->IsEditing());
    EXPECT_TRUE(view->isVisible() && !Text()->isVisible() && Text()->toPlainText().isEmpty());
    EXPECT_EQ(view->LineCount(), 200'001u);  // and the empty line after the last line end
    EXPECT_EQ(window->TextBytes(), crlf);
    EXPECT_TRUE(window->HoldsUnsavedText());

    // Selected and copied as text; moving about changes nothing.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromLatin1(lf));
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_End})
        QTest::keyClick(view, key);
    if (view->Caret().line % 2 == 0) {  // onto a setting line
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_End);
    }
    EXPECT_FALSE(window->IsEditing());
    EXPECT_GT(view->FirstVisibleLine(), 0u);
    SaveTo(Path("unedited.ini"));
    EXPECT_EQ(ReadFile(Path("unedited.ini")), crlf);
    EXPECT_FALSE(window->HoldsUnsavedText());

    // The first key that changes the text lands in the editor at the caret.
    const std::size_t line = view->Caret().line;
    QTest::keyClick(view, Qt::Key_Z);
    ASSERT_TRUE(window->IsEditing());
    EXPECT_EQ(Text()->document()->findBlockByNumber(static_cast<int>(line)).text(),
              QString::fromLatin1(QByteArray("key=a\tb,\xE9z")));
    EXPECT_TRUE(window->HoldsUnsavedText());
    SaveTo(Path("edited.ini"));
    QByteArray edited = crlf;
    const QByteArray header = "[ Block " + QByteArray::number(line / 2) + " ]\r\n";
    edited.insert(crlf.indexOf("\r\n", crlf.indexOf(header) + header.size()), "z");
    EXPECT_EQ(ReadFile(Path("edited.ini")), edited);

    // Save As starts beside the source when there is no results folder.
    session.sourceFileName = Path("sub/source.ini").toStdString();
    QDir(dir.path()).mkdir("sub");
    Click("cmdSaveResults");  // and cancel
    EXPECT_EQ(dialogs.lastRequest().initialFolder, Path("sub"));
    Click("cmdClear");
    EXPECT_TRUE(Text()->isVisible() && !window->HoldsUnsavedText());
}

}  // namespace
}  // namespace quillset::ui
