#pragma once
// Columns of a report list that keep their shares of the list's width when
// the window grows or shrinks; a column the user drags to a new width keeps
// its new share.

#include <QObject>
#include <vector>

class QTreeView;

namespace quillset::ui {

class ColumnShares : public QObject {
public:
    // Installs itself on `view`; `shares` are fractions of the view's width.
    ColumnShares(QTreeView* view, std::vector<double> shares);

    // Sizes the columns as their shares of `width`.
    void Apply(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView* view_;
    std::vector<double> shares_;
    int width_ = 0;  // the width the shares were last applied to
    bool applying_ = false;
};

}  // namespace quillset::ui
