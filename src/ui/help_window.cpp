#include "ui/help_window.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillset::ui {

namespace {
// Where this office keeps the help file for download.
const char* const kHelpSite = "your CAD office's intranet help page";
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frmHelpQuillset");
    setWindowTitle("Quillset Help");
    auto* layout = new QVBoxLayout(this);
    const QString intro =
        QStringLiteral("Did you try pressing \"F1\"?  If \"F1\" failed, in the Windows Explorer "
                       "double-click the Help file, quillset_hlp.chm (it is usually in the product "
                       "directory).  It is available from ") +
        QString::fromLatin1(kHelpSite) + QStringLiteral(". Else, here's a very brief outline:");
    const std::pair<const char*, QString> labels[] = {
        {"Label3", intro},
        {"Label2", "Program workflow is as follows:  "},
        {"Label4", "1) Input: select a file (either a .ini or .csv file); select header types and "
                   "hit the \"Process\" button.  "},
        {"Label5", "2) Filter: Select keywords to be processed (allows narrowing of scope of "
                   "targets, if desired). "},
        {"Label6", "3) Select the Quillset Function tab of your choice to create various outputs"},
        {"Label1", "Output is currently through the Results Form, which can be edited and saved to "
                   "a file."},
        {"Label7", "Microsoft HTML Help is supported in Windows 98 and 2000 and forward and on "
                   "Internet Explorer 4 and forward."},
    };
    for (const auto& [name, text] : labels) {
        auto* label = new QLabel(text);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* close = new QPushButton("Close");
    close->setObjectName("Command1");
    layout->addWidget(close, 0, Qt::AlignHCenter);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    // Wrapped labels need their height for this width, or the first is cut.
    const int height = layout->hasHeightForWidth() ? layout->heightForWidth(460) : sizeHint().height();
    setMinimumSize(460, height);
    resize(460, height);
}

}  // namespace quillset::ui
