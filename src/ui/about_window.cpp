#include "ui/about_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/prompter.h"

namespace quillset::ui {

namespace {
QLabel* MakeLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}
}  // namespace

AboutWindow::AboutWindow(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), prompter_(prompter) {
    setObjectName("frmAboutQuillset");
    setAttribute(Qt::WA_DeleteOnClose);
    const QString title = QStringLiteral("Quillset");
    setWindowTitle(QStringLiteral("About ") + title);

    auto* icon = new QLabel;
    icon->setObjectName("picIcon");
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_FileDialogDetailedView)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32, 32));

    auto* lblTitle = MakeLabel("lblTitle", title);
    QFont big = lblTitle->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    lblTitle->setFont(big);
    auto* lblVersion = MakeLabel("lblVersion", QStringLiteral("Version ") + QStringLiteral(QUILLSET_VERSION));

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(MakeLabel("lblDescription",
                                "Quillset helps CAD administrators manage many preference files, "
                                "and their variants, across an enterprise."),
                      2, 1);
    layout->addWidget(MakeLabel("Label1", "Made for the upkeep of CAD office standards."), 3, 1);
    layout->addWidget(MakeLabel("Label2", "Questions and suggestions: ask your CAD administrator."), 4, 1);
    layout->addWidget(MakeLabel("Label3", "Quillset never changes its input files; results are "
                                          "saved only under new names."),
                      5, 1);
    layout->addWidget(MakeLabel("Label4", "Provided as is, without warranty of any kind."), 6, 1);
    layout->addWidget(MakeLabel("lblDisclaimer", "Warning:  Always verify results before "
                                                 "overwriting files.  Maintain backups."),
                      7, 1);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* sysInfo = new QPushButton("&System Info...");
    sysInfo->setObjectName("cmdSysInfo");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    layout->addLayout(buttons, 8, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);
    // Wrapped labels need their height for this width, or the first is cut.
    const int height = layout->hasHeightForWidth() ? layout->heightForWidth(420) : sizeHint().height();
    setMinimumSize(420, height);
    resize(420, height);
}

void AboutWindow::StartSysInfo() {
    // This desktop has no system-information tool to start.
    prompter_.Inform(QStringLiteral("System Information Is Unavailable At This Time"));
}

}  // namespace quillset::ui
