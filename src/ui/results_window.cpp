#include "ui/results_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QResizeEvent>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "app/session.h"
#include "model/output_lines.h"
#include "platform/file_dialogs.h"
#include "platform/out_of_memory.h"
#include "platform/text_file.h"
#include "ui/busy_cursor.h"
#include "ui/byte_text_view.h"
#include "ui/prompter.h"
#include "ui/text.h"

namespace quillset::ui {

namespace {

// The layout's units, in twips; they keep their size when the window is resized.
constexpr double kUnitXTwips = 100.05;
constexpr double kUnitYTwips = 54.75;
constexpr double kDesignWidthTwips = 9795;
constexpr double kDesignHeightTwips = 5400;
// Below this client size the rules would give negative sizes.
constexpr double kMinUnitsX = 16;
constexpr double kMinUnitsY = 12;

constexpr const char* kSavedFolder = "c:\\temp\\";

// Up to this size the text goes straight into the editor; a bigger one would
// take the editor seconds to lay out, so it is shown read-only first.
constexpr std::size_t kEditableAtOnce = 2u << 20;

QString EditorText(const std::string& bytes) {
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// Every line end (CRLF, LF or a lone CR) as CRLF; a last line without one
// stays without. Bytes already in that form are taken as they are.
std::string WithCrlf(std::string& bytes) {
    bool plain = true;
    for (std::size_t i = 0; i < bytes.size() && plain; ++i) {
        if (bytes[i] == '\n') plain = false;
        if (bytes[i] == '\r') plain = ++i < bytes.size() && bytes[i] == '\n';
    }
    if (plain) return std::move(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    platform::ForEachLine(bytes, [&](std::string_view line) { out.append(line).append("\r\n"); });
    const char last = bytes.back();
    if (last != '\r' && last != '\n') out.resize(out.size() - 2);
    return out;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    if (tip) button->setToolTip(QString::fromLatin1(tip));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ResultsWindow::ResultsWindow(Session& session, Prompter& prompter, platform::FileDialogs& dialogs,
                             QWidget* parent)
    : QWidget(parent), session_(session), prompter_(prompter), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(QStringLiteral("Quillset Results Form"));
    // The title-bar close box destroys the window; Close only hides it.
    setAttribute(Qt::WA_DeleteOnClose);

    cmdSaveResults_ = MakeButton(this, "cmdSaveResults", "Save As...",
                                 "Click Here to Save Visible Results to File");
    cmdClear_ = MakeButton(this, "cmdClear", "Clear", "Click Here to Clear Visible Calculations");
    richTextResults_ = new QPlainTextEdit(this);
    richTextResults_->setObjectName(QStringLiteral("RichTextResults"));
    richTextResults_->setLineWrapMode(QPlainTextEdit::NoWrap);
    richTextResults_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_ = new ByteTextView(this);
    view_->setObjectName(QStringLiteral("RichTextResultsView"));
    view_->hide();
    cmdClose_ = MakeButton(this, "cmdClose", "Close", "Click Here to Dismiss Results Form");
    // Not available yet: shown greyed out.
    cmdAppend_ = MakeButton(this, "cmdAppend", "Append to...", nullptr);
    cmdAppend_->setEnabled(false);

    setTabOrder(cmdSaveResults_, cmdClear_);
    setTabOrder(cmdClear_, view_);
    setTabOrder(view_, richTextResults_);
    setTabOrder(richTextResults_, cmdClose_);
    setTabOrder(cmdClose_, cmdAppend_);

    connect(cmdSaveResults_, &QPushButton::clicked, this, &ResultsWindow::SaveResults);
    connect(cmdClear_, &QPushButton::clicked, this, &ResultsWindow::ClearResults);
    connect(cmdClose_, &QPushButton::clicked, this, &ResultsWindow::CloseResults);
    connect(cmdAppend_, &QPushButton::clicked, this, &ResultsWindow::AppendTo);
    // Any change of the text, typed or set, parts it from the loaded bytes.
    connect(richTextResults_->document(), &QTextDocument::contentsChanged, this,
            [this] { holdsLoadedText_ = saved_ = false; });
    connect(view_, &ByteTextView::EditRequested, this, &ResultsWindow::StartEditing);

    const double tx = logicalDpiX() / 1440.0;
    const double ty = logicalDpiY() / 1440.0;
    resize(static_cast<int>(std::lround(kDesignWidthTwips * tx)),
           static_cast<int>(std::lround(kDesignHeightTwips * ty)));
    ApplyLayout();
}

bool ResultsWindow::LoadFile(const QString& path) {
    platform::BytesResult read = platform::ReadFileBytes(ToPath(path));
    if (!read.ok) {
        lastError_ = FromMessage(read.error);
        return false;
    }
    // Kept as a save would write them, so an unedited text is saved without
    // going back through the document.
    std::string bytes = WithCrlf(read.bytes);
    read.bytes = {};
    const bool editNow = bytes.size() <= kEditableAtOnce;
    if (editNow) richTextResults_->setPlainText(EditorText(bytes));
    else richTextResults_->clear();
    view_->SetBytes(std::move(bytes));
    ShowEditor(editNow);
    holdsLoadedText_ = true;  // after the change signal of setPlainText
    saved_ = view_->Bytes().empty();
    lastError_.clear();
    return true;
}

bool ResultsWindow::IsEditing() const { return !view_->isVisibleTo(this); }

bool ResultsWindow::HoldsUnsavedText() const { return !saved_; }

void ResultsWindow::ShowEditor(bool editing) {
    const bool focused = view_->hasFocus() || richTextResults_->hasFocus();
    richTextResults_->setVisible(editing);
    view_->setVisible(!editing);
    if (focused) (editing ? static_cast<QWidget*>(richTextResults_) : view_)->setFocus();
}

void ResultsWindow::StartEditing(const QKeyEvent& key) {
    const ByteTextView::Position caret = view_->Caret();
    {
        BusyCursor busy;
        richTextResults_->setPlainText(EditorText(view_->Bytes()));
    }
    // From here the editor's text is what a save writes; the bytes go.
    view_->Clear();
    holdsLoadedText_ = false;
    QTextCursor cursor(richTextResults_->document()->findBlockByNumber(static_cast<int>(caret.line)));
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor,
                        std::min(static_cast<int>(caret.column), cursor.block().length() - 1));
    richTextResults_->setTextCursor(cursor);
    richTextResults_->centerCursor();
    ShowEditor(true);
    richTextResults_->setFocus();
    QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.text(), key.isAutoRepeat(),
                   static_cast<ushort>(key.count()));
    QApplication::sendEvent(richTextResults_, &copy);
}

namespace {

// The first character of `text` that a single-byte file cannot hold, with its
// 1-based line; nullopt when every character fits.
struct Unstorable {
    char32_t code;
    int line;
};
std::optional<Unstorable> FirstUnstorable(const QString& text) {
    int line = 1;
    for (const char32_t code : text.toUcs4()) {
        if (code == U'\n') ++line;
        if (code > 0xFF) return Unstorable{code, line};
    }
    return std::nullopt;
}

}  // namespace

QString ResultsWindow::SaveText() const {
    // toRawText, not toPlainText: the latter turns U+00A0 into a blank.
    QString text = richTextResults_->document()->toRawText();
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QByteArray ResultsWindow::TextBytes() const {
    if (holdsLoadedText_) {
        const std::string& bytes = view_->Bytes();
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return SaveText().toLatin1();
}

platform::FileDialogRequest ResultsWindow::SaveRequestFor(int outputKind, const QString& sourceFile) {
    platform::FileDialogRequest request;
    switch (outputKind) {
        case 1:
            request.defaultSuffix = QStringLiteral("csv");
            request.filter = QStringLiteral(
                "Spreadsheet Ready (*.csv)|*.csv|.ini file (*.ini)|*.ini|"
                "tab separated preferences (*.txt)|*.txt|All files (*.*)|*.*");
            break;
        case 0:
            request.defaultSuffix = QStringLiteral("ini");
            request.filter = QStringLiteral(
                ".ini file (*.ini)|*.ini|Spreadsheet Ready (*.csv)|*.csv|"
                "tab separated preferences(*.txt)|*.txt|All files (*.*)|*.*");
            break;
        default:
            request.defaultSuffix = QStringLiteral("txt");
            request.filter = QStringLiteral(
                "Preferences tab separated (*.txt)|*.txt|Spreadsheet Ready (*.csv)|*.csv|"
                ".ini file (*.ini)|*.ini|All files (*.*)|*.*");
            break;
    }
    request.filterIndex = 0;
    const QString saved = QString::fromLatin1(kSavedFolder);
    const QString beside = sourceFile.isEmpty() ? QString() : QFileInfo(sourceFile).absolutePath();
    if (QFileInfo(saved).isDir()) request.initialFolder = saved;
    else if (!beside.isEmpty() && QFileInfo(beside).isDir()) request.initialFolder = beside;
    else request.initialFolder = QDir::homePath();
    return request;
}

void ResultsWindow::SaveResults() {
    try {
        Save();
    } catch (const std::bad_alloc&) {
        prompter_.Inform(FromMessage(kOutOfMemoryMessage));
    }
}

void ResultsWindow::Save() {
    platform::FileDialogRequest request = SaveRequestFor(session_.outputKind, FromPath(session_.sourceFileName));
    request.fileName = lastSaveName_;
    const std::optional<QString> chosen = dialogs_.SaveFile(this, request);
    if (!chosen || chosen->isEmpty()) return;
    const QString path = *chosen;
    lastSaveName_ = path;

    if (QFileInfo::exists(path)) {
        prompter_.Inform(FromMessage(model::AlreadyExistsMessage(ToPath(path))));
        return;
    }

    std::string edited;
    if (!holdsLoadedText_) {
        const QString text = SaveText();
        // The file is single-byte text: rather than write "?" for what it
        // cannot hold, say so and let the user change the text.
        if (const std::optional<Unstorable> bad = FirstUnstorable(text)) {
            const QString shown = QString::fromUcs4(&bad->code, 1);
            const QString codePoint = QString::number(static_cast<uint>(bad->code), 16)
                                          .toUpper()
                                          .rightJustified(4, QLatin1Char('0'));
            prompter_.Inform(QStringLiteral("Unable to save %1: the text holds characters that cannot be "
                                            "stored in a single-byte text file, the first being \"%2\" "
                                            "(U+%3) in line %4.  Please replace them and save again.")
                                 .arg(path, shown, codePoint, QString::number(bad->line)));
            return;
        }
        edited = ToBytes(text);
    }
    // Written beside, flushed, then moved into place without replacing a
    // file that appeared meanwhile: a save cut short leaves no half file.
    const platform::Status written = platform::WriteNewFile(ToPath(path), holdsLoadedText_ ? view_->Bytes() : edited);
    if (written) saved_ = true;
    else
        prompter_.Inform(QStringLiteral("Unable to save ") + path + QStringLiteral(" (") + FromMessage(written.error) +
                         QStringLiteral(").  Please Select a different file name."));
}

void ResultsWindow::ClearResults() {
    session_.output.Clear();
    richTextResults_->clear();
    view_->Clear();
    ShowEditor(true);
    holdsLoadedText_ = saved_ = true;
}

void ResultsWindow::CloseResults() {
    ClearResults();
    hide();
    session_.outputKind = 0;
}

void ResultsWindow::AppendTo() { prompter_.Inform(QStringLiteral("function is coming soon")); }

void ResultsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyLayout();
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
    // Title-bar close: the window goes, the text and output lines stay.
    session_.outputKind = 0;
    QWidget::closeEvent(event);
}

void ResultsWindow::ApplyLayout() {
    const double ux = kUnitXTwips * logicalDpiX() / 1440.0;
    const double uy = kUnitYTwips * logicalDpiY() / 1440.0;
    // Too small a client would give negative sizes: lay out as at the minimum
    // and let the window clip.
    const double w = std::max(width() / ux, kMinUnitsX);
    const double h = std::max(height() / uy, kMinUnitsY);

    auto place = [&](QWidget* widget, double left, double top, double wd, double ht) {
        widget->setGeometry(static_cast<int>(std::lround(left * ux)), static_cast<int>(std::lround(top * uy)),
                            std::max(0, static_cast<int>(std::lround(wd * ux))),
                            std::max(0, static_cast<int>(std::lround(ht * uy))));
    };
    place(richTextResults_, 1.5, 1.5, w - 16, 0.98 * h);
    view_->setGeometry(richTextResults_->geometry());
    place(cmdClear_, w - 13, 2, 12.14, 9.04);
    place(cmdSaveResults_, w - 13, 15, 12.14, 9.04);
    place(cmdAppend_, w - 13, 28, 12.14, 9.04);
    place(cmdClose_, w - 13, h - 12, 12.14, 9.04);
}

}  // namespace quillset::ui
