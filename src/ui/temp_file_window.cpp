#include "ui/temp_file_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/text_file.h"
#include "ui/prompter.h"
#include "ui/text.h"

namespace quillset::ui {

namespace {
constexpr double kClientWidthTwips = 5775;
constexpr double kClientHeightTwips = 2700;
}  // namespace

std::string FolderPart(const std::string& path) {
    // Names typed here use either separator.
    const std::size_t last = path.find_last_of("\\/");
    if (last == std::string::npos) return std::string();
    return path.substr(0, last + 1);
}

bool FolderOfFileExists(const std::string& path, Prompter& prompter) {
    const std::string folder = FolderPart(path);
    if (platform::FolderExists(folder)) return true;
    prompter.Inform(QStringLiteral("Folder: ") + FromPath(folder) + QStringLiteral(" does not exist."));
    return false;
}

FormTempFile::FormTempFile(const std::string& tempFileName, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("FormTempFile"));
    setWindowTitle(QStringLiteral("Error: Temporary File"));
    setModal(true);

    label1_ = new QLabel(
        QStringLiteral("Error: Quillset was unable to write to the temporary file listed below.  "
                       "Please key in a complete filename (including full path) in a folder in "
                       "which you have write permission."),
        this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);

    txtTempFile_ = new QLineEdit(FromPath(tempFileName), this);
    txtTempFile_->setObjectName(QStringLiteral("TxtTempFile"));

    label2_ = new QLabel(
        QStringLiteral("If Quillset is unable to use the new file, it will exit.  You will have to "
                       "continue the process until a valid file is chosen."),
        this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setWordWrap(true);

    cmdTempFile_ = new QPushButton(QStringLiteral("OK"), this);
    cmdTempFile_->setObjectName(QStringLiteral("cmdTempFile"));
    cmdTempFile_->setDefault(true);
    connect(cmdTempFile_, &QPushButton::clicked, this, &FormTempFile::ConfirmName);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(txtTempFile_);
    layout->addWidget(label2_);
    layout->addWidget(cmdTempFile_, 0, Qt::AlignHCenter);

    const int width = static_cast<int>(std::lround(kClientWidthTwips * logicalDpiX() / 1440.0));
    const int height = static_cast<int>(std::lround(kClientHeightTwips * logicalDpiY() / 1440.0));
    // Never narrower than the design, and tall enough for the wrapped labels.
    setMinimumWidth(width);
    resize(width, std::max(height, layout->totalHeightForWidth(width)));
}

std::string FormTempFile::fileName() const { return ToPath(txtTempFile_->text()); }

void FormTempFile::ConfirmName() {
    if (FolderOfFileExists(fileName(), prompter_)) {
        accept();
        return;
    }
    prompter_.Inform(QStringLiteral("Folder does not exist"));
}

}  // namespace quillset::ui
