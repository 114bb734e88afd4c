#include "ui/whole_lines.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidget>
#include <QWheelEvent>
#include <algorithm>

#include "compare/line_fields.h"

namespace quillset::ui {

namespace {

// The marked fields of a cell, as begin and end character positions in turn.
constexpr int kMarksRole = Qt::UserRole + 1;
const QColor kMarked(255, 170, 70);

QStyle* StyleOf(const QWidget* widget) { return widget ? widget->style() : QApplication::style(); }

// What the style keeps free on each side of an item's text.
int TextMargin(const QWidget* widget) {
    return StyleOf(widget)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
}

bool ShowLineTip(QHelpEvent* event, QAbstractItemView* view, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip) return false;
    const QString line = index.data(Qt::DisplayRole).toString();
    if (line.trimmed().isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), line, view->viewport(), view->visualRect(index));
    return true;
}

}  // namespace

WholeLineList::WholeLineList(QListView* view) : QStyledItemDelegate(view), view_(view) {
    view_->setItemDelegate(this);
    view_->setTextElideMode(Qt::ElideNone);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QAbstractItemModel* model = view_->model();
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { Measure(first, last); });
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& top, const QModelIndex& bottom) { Measure(top.row(), bottom.row()); });
    // Measured again when next asked, not here: a list widget resets its
    // model while it is being destroyed, when it is no longer one to ask.
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { stale_ = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { stale_ = true; });
    MeasureAll();
}

void WholeLineList::MeasureAll() const {
    widest_ = 0;
    stale_ = false;
    Measure(0, view_->model()->rowCount() - 1);
}

void WholeLineList::Measure(int first, int last) const {
    const QFontMetrics metrics = view_->fontMetrics();
    const QAbstractItemModel* model = view_->model();
    int widest = 0;
    for (int row = first; row <= last; ++row)
        widest = std::max(widest, metrics.horizontalAdvance(model->index(row, 0).data().toString()));
    // One character more than the text itself, so no style cuts the last one.
    widest_ = std::max(widest_, widest + 2 * TextMargin(view_) + metrics.averageCharWidth());
}

QSize WholeLineList::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (stale_) MeasureAll();
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::max(size.width(), widest_));
    return size;
}

bool WholeLineList::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                              const QModelIndex& index) {
    return ShowLineTip(event, view, index) || QStyledItemDelegate::helpEvent(event, view, option, index);
}

PairedLines::PairedLines(QTreeWidget* list, QWidget* barParent) : QStyledItemDelegate(list), list_(list) {
    list_->setItemDelegate(this);
    // The columns share the list's width; each scrolls under its own bar.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const char* names[] = {"hsbControl", "hsbTest"};
    for (int c = 0; c < 2; ++c) {
        auto* bar = new QScrollBar(Qt::Horizontal, barParent);
        bar->setObjectName(QString::fromLatin1(names[c]));
        bar->setFocusPolicy(Qt::NoFocus);  // the tab order stays the window's own
        bar->setRange(0, 0);
        connect(bar, &QScrollBar::valueChanged, list_->viewport(), [this] { list_->viewport()->update(); });
        bars_[static_cast<std::size_t>(c)] = bar;
    }
    list_->viewport()->installEventFilter(this);
}

void PairedLines::SetMarks(QTreeWidgetItem* item, int column, const std::vector<compare::FieldSpan>& fields) {
    QList<int> marks;
    marks.reserve(static_cast<qsizetype>(fields.size() * 2));
    // Core positions are bytes; a cell holds one character per byte.
    for (const compare::FieldSpan& f : fields) marks << static_cast<int>(f.begin) << static_cast<int>(f.end);
    item->setData(column, kMarksRole, QVariant::fromValue(marks));
}

int PairedLines::BarHeight() const { return bars_[0]->sizeHint().height(); }

void PairedLines::Reset() {
    QFont bold = list_->font();
    bold.setBold(true);
    const QFontMetrics plain(list_->font()), marked(bold);
    widest_ = {0, 0};
    for (int r = 0; r < list_->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = list_->topLevelItem(r);
        for (int c = 0; c < 2; ++c) {
            const QFontMetrics& metrics = item->data(c, kMarksRole).isValid() ? marked : plain;
            int& widest = widest_[static_cast<std::size_t>(c)];
            widest = std::max(widest, metrics.horizontalAdvance(item->text(c)));
        }
    }
    for (QScrollBar* bar : bars_) bar->setValue(0);
    UpdateRanges();
}

void PairedLines::Place() {
    const QRect listRect = list_->geometry();
    const int x0 = listRect.left() + list_->viewport()->geometry().left();
    int x = x0;
    for (int c = 0; c < 2; ++c) {
        const int width = list_->columnWidth(c);
        bars_[static_cast<std::size_t>(c)]->setGeometry(x, listRect.bottom() + 1, width, BarHeight());
        x += width;
    }
    UpdateRanges();
}

void PairedLines::UpdateRanges() {
    const int pad = 2 * TextMargin(list_) + list_->fontMetrics().averageCharWidth();
    for (int c = 0; c < 2; ++c) {
        QScrollBar* bar = bars_[static_cast<std::size_t>(c)];
        const int width = list_->columnWidth(c);
        bar->setRange(0, std::max(0, widest_[static_cast<std::size_t>(c)] + pad - width));
        bar->setPageStep(std::max(1, width));
        bar->setSingleStep(std::max(1, list_->fontMetrics().averageCharWidth() * 2));
    }
}

void PairedLines::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    QStyle* style = StyleOf(opt.widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);  // the row's background
    if (text.isEmpty() || index.column() > 1) return;

    const QRect area = textRect.adjusted(TextMargin(opt.widget), 0, 0, 0);
    QFont bold = opt.font;
    bold.setBold(true);
    const QList<int> marks = index.data(kMarksRole).value<QList<int>>();
    int x = area.left() - bars_[static_cast<std::size_t>(index.column())]->value();
    painter->save();
    painter->setClipRect(textRect);
    painter->setPen(opt.palette.color(QPalette::Text));
    auto draw = [&](int from, int to, bool marked) {
        from = std::clamp(from, 0, static_cast<int>(text.size()));
        to = std::clamp(to, from, static_cast<int>(text.size()));
        if (to == from) return;
        const QString part = text.mid(from, to - from);
        const QFont& font = marked ? bold : opt.font;
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(part);
        if (marked) painter->fillRect(QRect(x, area.top() + 1, width, area.height() - 2), kMarked);
        painter->setFont(font);
        painter->drawText(QPoint(x, area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent()), part);
        x += width;
    };
    int done = 0;
    for (qsizetype i = 0; i + 1 < marks.size(); i += 2) {
        draw(done, marks[i], false);
        draw(marks[i], marks[i + 1], true);
        done = marks[i + 1];
    }
    draw(done, static_cast<int>(text.size()), false);
    painter->restore();
}

bool PairedLines::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                            const QModelIndex& index) {
    return ShowLineTip(event, view, index) || QStyledItemDelegate::helpEvent(event, view, option, index);
}

bool PairedLines::eventFilter(QObject* watched, QEvent* event) {
    // A sideways wheel, or the wheel with Shift, scrolls the side under the
    // pointer. The type first: the viewport also sees events while the list
    // is being destroyed, when the list is no longer one to ask.
    if (event->type() != QEvent::Wheel || watched != list_->viewport()) return false;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    int delta = wheel->angleDelta().x();
    if (delta == 0 && (wheel->modifiers() & Qt::ShiftModifier)) delta = wheel->angleDelta().y();
    const int column = list_->columnAt(static_cast<int>(wheel->position().x()));
    if (delta == 0 || column < 0 || column > 1) return false;
    QScrollBar* bar = bars_[static_cast<std::size_t>(column)];
    bar->setValue(bar->value() - delta * 3 * bar->singleStep() / 120);
    return true;
}

}  // namespace quillset::ui
