#pragma once
// Lists of file lines that show every line whole: they scroll sideways
// instead of cutting a line, and the line under the pointer is its tool tip.

#include <QStyledItemDelegate>
#include <array>

class QListView;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillset::compare {
struct FieldSpan;
}

namespace quillset::ui {

// For a list of rows of one height (uniform item sizes, so a long preview
// lays out at once): every row is as wide as the widest line, so the list's
// own scroll bar reaches the end of each.
class WholeLineList : public QStyledItemDelegate {
public:
    // Becomes the delegate of `view`.
    explicit WholeLineList(QListView* view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    void Measure(int first, int last) const;
    void MeasureAll() const;

    QListView* view_;
    mutable int widest_ = 0;
    mutable bool stale_ = false;
};

// For the two columns of the confirmation window: each column scrolls
// sideways on its own, under a scroll bar of its own, so a long line is seen
// whole beside the line it stands against; the differing fields of a row
// are marked.
class PairedLines : public QStyledItemDelegate {
public:
    // Becomes the delegate of `list`; the scroll bars are children of
    // `barParent`, placed by Place().
    PairedLines(QTreeWidget* list, QWidget* barParent);

    // Marks the given fields of one cell of `item`.
    static void SetMarks(QTreeWidgetItem* item, int column, const std::vector<compare::FieldSpan>& fields);

    // The list's rows changed: the scroll bars start over and learn how far
    // each column reaches.
    void Reset();
    // Puts the scroll bars under their columns, just below the list.
    void Place();
    int BarHeight() const;
    QScrollBar* bar(int column) const { return bars_[static_cast<std::size_t>(column)]; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateRanges();

    QTreeWidget* list_;
    std::array<QScrollBar*, 2> bars_{};
    std::array<int, 2> widest_{};
};

}  // namespace quillset::ui
