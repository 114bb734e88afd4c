#pragma once
// A read-only view over single-byte text that lays out only the lines on
// screen, so a result of a hundred megabytes shows at once. It owns the bytes
// (every line ended by CRLF, the last perhaps by nothing) and an index of
// where each line starts; the text can be scrolled, selected and copied, and
// the first key that would change it asks for an editor instead.

#include <QAbstractScrollArea>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;

namespace quillset::ui {

class ByteTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A place in the text: a line and a byte offset within it.
    struct Position {
        std::size_t line = 0;
        std::size_t column = 0;
        auto operator<=>(const Position&) const = default;
    };

    explicit ByteTextView(QWidget* parent = nullptr);

    // Takes over `bytes`, whose line ends must be CRLF.
    void SetBytes(std::string bytes);
    void Clear() { SetBytes({}); }
    const std::string& Bytes() const { return bytes_; }

    std::size_t LineCount() const { return starts_.size(); }
    std::string_view Line(std::size_t line) const;
    std::size_t FirstVisibleLine() const;
    // The caret: where the last click or key put it.
    Position Caret() const { return caret_; }

    void SelectAll();
    // The selected text, lines joined by "\n".
    QString SelectedText() const;

signals:
    // A key that would change the text was pressed at the caret; the window
    // turns the text into an editable one and hands the key on.
    void EditRequested(const QKeyEvent& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateMetrics();
    void UpdateScrollBars();
    Position PositionAt(QPoint point) const;
    void MoveCaret(Position to, bool extend);
    void ScrollToCaret();
    int VisibleLines() const;
    // The display column of byte `column` of `line` (tabs to every eighth).
    std::size_t DisplayColumn(std::string_view line, std::size_t column) const;
    void CopySelection() const;

    std::string bytes_;
    std::vector<std::size_t> starts_;
    std::size_t widestColumns_ = 0;
    int charWidth_ = 1;
    int lineHeight_ = 1;
    int ascent_ = 0;
    Position anchor_;
    Position caret_;
};

}  // namespace quillset::ui
