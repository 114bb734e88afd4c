#include "ui/column_shares.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>

namespace quillset::ui {

ColumnShares::ColumnShares(QTreeView* view, std::vector<double> shares)
    : QObject(view), view_(view), shares_(std::move(shares)) {
    view_->viewport()->installEventFilter(this);
    connect(view_->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (applying_ || width_ <= 0 || column < 0 || static_cast<std::size_t>(column) >= shares_.size()) return;
        shares_[static_cast<std::size_t>(column)] = static_cast<double>(size) / width_;
    });
}

void ColumnShares::Apply(int width) {
    if (width <= 0) return;
    width_ = width;
    applying_ = true;
    for (std::size_t c = 0; c < shares_.size(); ++c)
        view_->setColumnWidth(static_cast<int>(c), static_cast<int>(width * shares_[c]));
    applying_ = false;
}

bool ColumnShares::eventFilter(QObject* watched, QEvent* event) {
    // Only once the columns were first sized: before that the view has no
    // width of its own yet. The type first: the viewport also sees events
    // while the view is being destroyed, when it is no longer one to ask.
    if (event->type() == QEvent::Resize && width_ > 0 && watched == view_->viewport() && view_->isVisible())
        Apply(view_->viewport()->width());
    return false;
}

}  // namespace quillset::ui
