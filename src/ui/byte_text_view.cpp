#include "ui/byte_text_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/text_file.h"

namespace quillset::ui {

namespace {

constexpr std::size_t kTabWidth = 8;
// The editor's document margin, so the text does not move when it takes over.
constexpr int kMargin = 4;

QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The line with every TAB expanded to blanks up to the next tab stop, as the
// painter would otherwise draw it at its own width.
QString Displayed(std::string_view line) {
    if (std::memchr(line.data(), '\t', line.size()) == nullptr) return Latin1(line);
    QString out;
    out.reserve(static_cast<qsizetype>(line.size() + kTabWidth));
    for (const char c : line) {
        if (c == '\t')
            out.append(QString(static_cast<qsizetype>(kTabWidth - out.size() % kTabWidth), QLatin1Char(' ')));
        else
            out.append(QLatin1Char(c));
    }
    return out;
}

// The byte of `line` under display column `wanted`: the first whose span
// reaches past it, or the line's length.
std::size_t ByteAtColumn(std::string_view line, std::size_t wanted) {
    if (std::memchr(line.data(), '\t', line.size()) == nullptr) return std::min(wanted, line.size());
    std::size_t shown = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const std::size_t next = line[i] == '\t' ? (shown / kTabWidth + 1) * kTabWidth : shown + 1;
        if (next > wanted) return i;
        shown = next;
    }
    return line.size();
}

bool ChangesText(const QKeyEvent& key) {
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Undo) ||
        key.matches(QKeySequence::Redo))
        return true;
    switch (key.key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        default:
            break;
    }
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint() && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

ByteTextView::ByteTextView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    UpdateMetrics();
}

void ByteTextView::SetBytes(std::string bytes) {
    bytes_ = std::move(bytes);
    starts_.clear();
    widestColumns_ = 0;
    const char* const base = bytes_.data();
    starts_.reserve(platform::LineCount(bytes_));
    platform::ForEachLine(bytes_, [&](std::string_view line) {
        starts_.push_back(static_cast<std::size_t>(line.data() - base));
        widestColumns_ = std::max(widestColumns_, DisplayColumn(line, line.size()));
    });
    // A text that ends with a line end shows the empty line after it, where
    // the editor would put its caret.
    if (bytes_.empty() || bytes_.back() == '\n') starts_.push_back(bytes_.size());
    anchor_ = caret_ = {};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

std::string_view ByteTextView::Line(std::size_t line) const {
    const std::size_t start = starts_[line];
    std::size_t end = line + 1 < starts_.size() ? starts_[line + 1] : bytes_.size();
    if (end > start && bytes_[end - 1] == '\n') --end;
    if (end > start && bytes_[end - 1] == '\r') --end;
    return std::string_view(bytes_).substr(start, end - start);
}

std::size_t ByteTextView::FirstVisibleLine() const {
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t ByteTextView::DisplayColumn(std::string_view line, std::size_t column) const {
    column = std::min(column, line.size());
    if (std::memchr(line.data(), '\t', column) == nullptr) return column;
    std::size_t shown = 0;
    for (std::size_t i = 0; i < column; ++i) shown = line[i] == '\t' ? (shown / kTabWidth + 1) * kTabWidth : shown + 1;
    return shown;
}

void ByteTextView::UpdateMetrics() {
    const QFontMetrics metrics(font());
    charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('M')));
    lineHeight_ = std::max(1, metrics.height());
    ascent_ = metrics.ascent();
}

int ByteTextView::VisibleLines() const { return std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight_); }

void ByteTextView::UpdateScrollBars() {
    constexpr std::size_t kMost = static_cast<std::size_t>(std::numeric_limits<int>::max());
    const std::size_t lines = starts_.size();
    const auto visible = static_cast<std::size_t>(VisibleLines());
    verticalScrollBar()->setRange(0, static_cast<int>(std::min(kMost, lines > visible ? lines - visible : 0)));
    verticalScrollBar()->setPageStep(static_cast<int>(visible));
    verticalScrollBar()->setSingleStep(1);
    const std::size_t width =
        std::min(kMost / 2, (widestColumns_ + 1) * static_cast<std::size_t>(charWidth_) + 2 * kMargin);
    const auto shown = static_cast<std::size_t>(viewport()->width());
    horizontalScrollBar()->setRange(0, static_cast<int>(width > shown ? width - shown : 0));
    horizontalScrollBar()->setPageStep(static_cast<int>(shown));
    horizontalScrollBar()->setSingleStep(charWidth_ * 4);
}

void ByteTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int left = kMargin - horizontalScrollBar()->value();
    const std::size_t first = FirstVisibleLine();
    const std::size_t last = std::min(starts_.size(), first + static_cast<std::size_t>(VisibleLines()) + 1);
    const Position from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    // Only the columns in sight are drawn, so a line of megabytes costs no
    // more than a short one.
    const std::size_t firstColumn = static_cast<std::size_t>(horizontalScrollBar()->value() / charWidth_);
    const std::size_t columns = static_cast<std::size_t>(viewport()->width() / charWidth_) + 2;
    for (std::size_t line = first; line < last; ++line) {
        const int top = kMargin + static_cast<int>(line - first) * lineHeight_;
        const std::string_view text = Line(line);
        const auto x = [&](std::size_t column) {
            return left + static_cast<int>(std::min<std::size_t>(DisplayColumn(text, column), 1u << 26)) * charWidth_;
        };
        if (from != to && line >= from.line && line <= to.line) {
            const int x0 = line == from.line ? x(from.column) : left;
            const int x1 = line == to.line ? x(to.column) : x(text.size()) + charWidth_;
            painter.fillRect(QRect(x0, top, std::max(0, x1 - x0), lineHeight_), colours.highlight());
        }
        painter.setPen(colours.color(QPalette::Text));
        const std::size_t startByte = ByteAtColumn(text, firstColumn);
        const std::string_view shown = text.substr(startByte, std::min(text.size() - startByte, columns + 8));
        painter.drawText(x(startByte), top + ascent_, Displayed(shown));
        if (from != to && line >= from.line && line <= to.line) {
            // The selected part again, in the highlighted colour, clipped to its box.
            const int x0 = line == from.line ? x(from.column) : left;
            const int x1 = line == to.line ? x(to.column) : x(text.size());
            painter.save();
            painter.setClipRect(QRect(x0, top, std::max(0, x1 - x0), lineHeight_));
            painter.setPen(colours.color(QPalette::HighlightedText));
            painter.drawText(x(startByte), top + ascent_, Displayed(shown));
            painter.restore();
        }
    }
    if (hasFocus() && caret_.line >= first && caret_.line < last) {
        const int top = kMargin + static_cast<int>(caret_.line - first) * lineHeight_;
        const int cx = left + static_cast<int>(DisplayColumn(Line(caret_.line), caret_.column)) * charWidth_;
        painter.fillRect(QRect(cx, top, 1, lineHeight_), colours.color(QPalette::Text));
    }
}

void ByteTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ByteTextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateMetrics();
        UpdateScrollBars();
    }
}

ByteTextView::Position ByteTextView::PositionAt(QPoint point) const {
    if (starts_.empty()) return {};
    const std::int64_t row = std::max(0, point.y() - kMargin) / lineHeight_;
    const std::size_t line =
        std::min(starts_.size() - 1, FirstVisibleLine() + static_cast<std::size_t>(row));
    const std::string_view text = Line(line);
    const int x = std::max(0, point.x() - kMargin + horizontalScrollBar()->value());
    const auto wanted = static_cast<std::size_t>((x + charWidth_ / 2) / charWidth_);
    return {line, ByteAtColumn(text, wanted)};
}

void ByteTextView::MoveCaret(Position to, bool extend) {
    caret_ = to;
    if (!extend) anchor_ = to;
    ScrollToCaret();
    viewport()->update();
}

void ByteTextView::ScrollToCaret() {
    QScrollBar* vertical = verticalScrollBar();
    const auto top = static_cast<std::size_t>(vertical->value());
    const auto visible = static_cast<std::size_t>(VisibleLines());
    if (caret_.line < top) vertical->setValue(static_cast<int>(caret_.line));
    else if (caret_.line >= top + visible) vertical->setValue(static_cast<int>(caret_.line - visible + 1));
    QScrollBar* horizontal = horizontalScrollBar();
    const int x = static_cast<int>(DisplayColumn(Line(caret_.line), caret_.column)) * charWidth_;
    if (x < horizontal->value()) horizontal->setValue(x);
    else if (x > horizontal->value() + viewport()->width() - charWidth_ * 2)
        horizontal->setValue(x - viewport()->width() + charWidth_ * 2);
}

void ByteTextView::SelectAll() {
    if (starts_.empty()) return;
    anchor_ = {};
    caret_ = {starts_.size() - 1, Line(starts_.size() - 1).size()};
    viewport()->update();
}

QString ByteTextView::SelectedText() const {
    const Position from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
    if (from == to) return {};
    std::string out;
    for (std::size_t line = from.line; line <= to.line; ++line) {
        const std::string_view text = Line(line);
        const std::size_t begin = line == from.line ? std::min(from.column, text.size()) : 0;
        const std::size_t end = line == to.line ? std::min(to.column, text.size()) : text.size();
        out.append(text.substr(begin, end - begin));
        if (line != to.line) out.push_back('\n');
    }
    return Latin1(out);
}

void ByteTextView::CopySelection() const {
    const QString text = SelectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ByteTextView::keyPressEvent(QKeyEvent* event) {
    if (starts_.empty()) return;
    if (event->matches(QKeySequence::SelectAll)) return SelectAll();
    if (event->matches(QKeySequence::Copy)) return CopySelection();
    if (ChangesText(*event)) {
        emit EditRequested(*event);
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool far = event->modifiers() & Qt::ControlModifier;
    const std::size_t lastLine = starts_.size() - 1;
    const auto page = static_cast<std::size_t>(VisibleLines());
    Position to = caret_;
    const auto clampColumn = [&] { to.column = std::min(to.column, Line(to.line).size()); };
    switch (event->key()) {
        case Qt::Key_Up: to.line = to.line > 0 ? to.line - 1 : 0; clampColumn(); break;
        case Qt::Key_Down: to.line = std::min(lastLine, to.line + 1); clampColumn(); break;
        case Qt::Key_PageUp: to.line = to.line > page ? to.line - page : 0; clampColumn(); break;
        case Qt::Key_PageDown: to.line = std::min(lastLine, to.line + page); clampColumn(); break;
        case Qt::Key_Left:
            if (to.column > 0) --to.column;
            else if (to.line > 0) to = {to.line - 1, Line(to.line - 1).size()};
            break;
        case Qt::Key_Right:
            if (to.column < Line(to.line).size()) ++to.column;
            else if (to.line < lastLine) to = {to.line + 1, 0};
            break;
        case Qt::Key_Home: to = far ? Position{} : Position{to.line, 0}; break;
        case Qt::Key_End: to = far ? Position{lastLine, Line(lastLine).size()} : Position{to.line, Line(to.line).size()}; break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    MoveCaret(to, extend);
}

void ByteTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    MoveCaret(PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void ByteTextView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) MoveCaret(PositionAt(event->position().toPoint()), true);
}

void ByteTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The word under the pointer, as text boxes select it.
    const Position at = PositionAt(event->position().toPoint());
    const std::string_view text = Line(at.line);
    const auto inWord = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(text[i]);
        return c != ' ' && c != '\t' && c != '=' && c != ',' && c != '[' && c != ']';
    };
    std::size_t begin = at.column, end = at.column;
    while (begin > 0 && inWord(begin - 1)) --begin;
    while (end < text.size() && inWord(end)) ++end;
    anchor_ = {at.line, begin};
    caret_ = {at.line, end};
    viewport()->update();
}

}  // namespace quillset::ui
