#include "ui/clobber_window.h"

#include <QBrush>
#include <QCloseEvent>
#include <QColor>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

#include "compare/line_fields.h"
#include "platform/host.h"
#include "ui/button_keys.h"
#include "ui/text.h"
#include "ui/whole_lines.h"
#include "ui/window_memory.h"

namespace quillset::ui {

namespace {

// The design's scale units in pixels (100.05 and 54.75 twips, 15 twips a
// pixel) and its client area in units. The horizontal unit grows with the
// font when the widest caption would not fit its 12.14-unit button.
constexpr double kDesignUnitX = 100.05 / 15.0;
constexpr double kUnitY = 54.75 / 15.0;
constexpr double kDesignW = 83.51;
constexpr double kDesignH = 91.51;
// Rows whose two cells differ, so a difference is seen at a glance.
const QColor kDiffering(255, 226, 140);

}  // namespace

ClobberWindow::ClobberWindow(Host& host, SettingsStore& settings, const QString& sourceName,
                             const QString& testName)
    : QDialog(nullptr), host_(host) {
    setObjectName("frmClobber");
    setWindowTitle("Quillset Clobber Form");
    setModal(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    cmdClobber_ = new QPushButton("Clobber This", this);
    cmdSkip_ = new QPushButton("Skip This", this);
    cmdSkipAll_ = new QPushButton("Skip the Rest", this);
    cmdClobberAll_ = new QPushButton("Clobber the Rest", this);
    lvClobber_ = new QTreeWidget(this);
    cmdCloseClobber_ = new QPushButton("Close", this);
    lblClobber_ = new QLabel("Clobbering uses THIS Definition", this);
    lblSkip_ = new QLabel("Skipping uses THIS Definition", this);
    line1_ = new QFrame(this);
    cmdClobber_->setObjectName("cmdClobber");
    cmdSkip_->setObjectName("cmdSkip");
    cmdSkipAll_->setObjectName("cmdSkipAll");
    cmdClobberAll_->setObjectName("cmdClobberAll");
    lvClobber_->setObjectName("lvClobber");
    cmdCloseClobber_->setObjectName("cmdCloseClobber");
    lblClobber_->setObjectName("lblClobber");
    lblSkip_->setObjectName("lblSkip");
    line1_->setObjectName("Line1");
    line1_->setFrameShape(QFrame::VLine);
    line1_->lower();  // drawn beneath the list, as a line on the form
    for (QPushButton* b : {cmdClobber_, cmdSkip_, cmdSkipAll_, cmdClobberAll_, cmdCloseClobber_})
        b->setAutoDefault(false);
    QWidget::setTabOrder(cmdClobber_, cmdSkip_);
    QWidget::setTabOrder(cmdSkip_, cmdSkipAll_);
    QWidget::setTabOrder(cmdSkipAll_, cmdClobberAll_);
    QWidget::setTabOrder(cmdClobberAll_, lvClobber_);
    QWidget::setTabOrder(lvClobber_, cmdCloseClobber_);

    lvClobber_->setRootIsDecorated(false);
    lvClobber_->setUniformRowHeights(true);
    lvClobber_->setSortingEnabled(false);
    lvClobber_->setSelectionMode(QAbstractItemView::NoSelection);
    lvClobber_->header()->setStretchLastSection(false);
    lvClobber_->header()->setSectionsMovable(false);
    lvClobber_->setHeaderLabels({"Control File: " + sourceName, "Test File:" + testName});
    lines_ = new PairedLines(lvClobber_, this);
    SetButtonKeys(this, {{"cmdClobber", Qt::ALT | Qt::Key_C},
                         {"cmdClobberAll", Qt::ALT | Qt::Key_R},
                         {"cmdSkip", Qt::ALT | Qt::Key_S},
                         {"cmdSkipAll", Qt::ALT | Qt::Key_K},
                         {"cmdCloseClobber", Qt::ALT | Qt::Key_L}});

    using compare::Decision;
    connect(cmdClobber_, &QPushButton::clicked, this, [this] { Choose(Decision::ClobberThis); });
    connect(cmdClobberAll_, &QPushButton::clicked, this, [this] { Choose(Decision::ClobberTheRest); });
    connect(cmdSkip_, &QPushButton::clicked, this, [this] { Choose(Decision::SkipThis); });
    connect(cmdSkipAll_, &QPushButton::clicked, this, [this] { Choose(Decision::SkipTheRest); });
    connect(cmdCloseClobber_, &QPushButton::clicked, this, [this] { Choose(compare::CloseDecision(host_)); });

    unitX_ = std::max(kDesignUnitX,
                      (cmdClobberAll_->fontMetrics().horizontalAdvance(cmdClobberAll_->text()) + 16) / 12.14);
    // The designed client area is the least the window shrinks to.
    setMinimumSize(static_cast<int>(kDesignW * unitX_), static_cast<int>(kDesignH * kUnitY));
    resize(minimumSize());
    KeepPlacement(this, settings, "Clobber");
    // Placed once, at design time.
    lblClobber_->setGeometry(static_cast<int>(2 * unitX_), static_cast<int>(2 * kUnitY),
                             static_cast<int>(37.33 * unitX_), static_cast<int>(4.66 * kUnitY));
    ApplyLayout();
}

compare::Decision ClobberWindow::Decide(const compare::CompareRow&,
                                        const std::vector<compare::PairedLine>& lines) {
    lvClobber_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const compare::PairedLine& line : lines) {
        auto* item = new QTreeWidgetItem({FromBytes(line.control), FromBytes(line.test)});
        if (line.differs) {
            item->setBackground(0, kDiffering);
            item->setBackground(1, kDiffering);
            const compare::FieldMarks marks = compare::DifferingFields(line.control, line.test);
            if (!marks.control.empty()) PairedLines::SetMarks(item, 0, marks.control);
            if (!marks.test.empty()) PairedLines::SetMarks(item, 1, marks.test);
        }
        items.append(item);
    }
    lvClobber_->addTopLevelItems(items);
    lines_->Reset();
    decision_ = compare::Decision::SkipThis;
    exec();
    return decision_;
}

void ClobberWindow::Choose(compare::Decision decision) {
    // Hidden, not closed: the next preview shows the same window again.
    decision_ = decision;
    done(QDialog::Accepted);
}

void ClobberWindow::closeEvent(QCloseEvent* event) {
    // The close box is the "Close" button: every block gets its decision.
    event->ignore();
    if (isVisible()) Choose(compare::CloseDecision(host_));
}

void ClobberWindow::reject() {
    if (isVisible()) Choose(compare::CloseDecision(host_));
}

void ClobberWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ApplyLayout();
}

void ClobberWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ApplyLayout();
}

void ClobberWindow::ApplyLayout() {
    const double unitX = unitX_;
    const double w = width() / unitX;
    const double h = height() / kUnitY;
    // Sizes never go below zero in a very small window.
    auto place = [unitX](QWidget* widget, double left, double top, double width, double height) {
        widget->setGeometry(static_cast<int>(left * unitX), static_cast<int>(top * kUnitY),
                            static_cast<int>(std::max(0.0, width) * unitX),
                            static_cast<int>(std::max(0.0, height) * kUnitY));
    };
    place(lvClobber_, 2, 6, w - 4, h - 18);
    // The list's own area holds the two sideways scroll bars at its foot.
    lvClobber_->resize(lvClobber_->width(), std::max(0, lvClobber_->height() - lines_->BarHeight()));
    place(lblSkip_, w / 2 + 1, 2, 34.93, 4.66);
    place(cmdClobber_, w / 4 - 13, h - 10, 12.14, 9.04);
    place(cmdClobberAll_, w / 4 + 1, h - 10, 12.14, 9.04);
    place(cmdSkip_, 3 * w / 4 - 13, h - 10, 12.14, 9.04);
    place(cmdSkipAll_, 3 * w / 4 + 1, h - 10, 12.14, 9.04);
    place(cmdCloseClobber_, 0.49 * w - 6, h - 8, 12, 7);
    line1_->setGeometry(static_cast<int>(0.49 * w * unitX) - 1, 0, 3,
                        static_cast<int>(std::max(0.0, h - 8.5) * kUnitY));
    const int listWidth = lvClobber_->width();
    lvClobber_->setColumnWidth(0, static_cast<int>(listWidth * 0.49));
    lvClobber_->setColumnWidth(1, static_cast<int>(listWidth * 0.49));
    lines_->Place();
}

}  // namespace quillset::ui
