#include "ui/text_resizer_tab.h"
#include "ui/named.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "platform/out_of_memory.h"
#include "app/session.h"
#include "ui/busy_cursor.h"
#include "ui/text.h"
#include "ui/whole_lines.h"
#include "app/resize_commands.h"

namespace quillset::ui {

namespace {

// Box texts go to the core as UTF-8: they are read as numbers, never written
// into a file, and a message quoting one shows it as typed.
std::string Utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

TextResizerTab::TextResizerTab(Session& session, Host& host, SettingsStore& settings,
                               std::function<QString()> sourceName, QWidget* parent)
    : QWidget(parent),
      session_(session),
      host_(host),
      settings_(settings),
      sourceName_(std::move(sourceName)) {
    auto* v = new QVBoxLayout(this);
    v->setSpacing(3);

    auto* frmResize = Named(new QGroupBox("Resize Text"), "frmResizeText");
    auto* g = new QGridLayout(frmResize);
    struct Row {
        const char* caption;
        const char* checkName;
        const char* text;
        const char* textName;
        QCheckBox*& check;
        QLineEdit*& edit;
    };
    int r = 0;
    for (const Row& row : {Row{"Text Height", "chkResizeHeight", "1.0", "txtTextHeight", chkResizeHeight_, txtTextHeight_},
                           Row{"Text Width", "chkResizeWidth", "0.8", "txtTextWidth", chkResizeWidth_, txtTextWidth_},
                           Row{"Line Spacing", "chkResizeLine", "1", "txtLineSpace", chkResizeLine_, txtLineSpace_}}) {
        row.check = Named(new QCheckBox(row.caption), row.checkName);
        row.check->setChecked(true);
        row.edit = Named(new QLineEdit(row.text), row.textName);
        row.edit->setMaximumWidth(70);
        g->addWidget(row.check, r, 0);
        g->addWidget(row.edit, r++, 1);
    }
    g->setRowStretch(r, 1);

    auto* framePrevu = Named(new QGroupBox("Preview Affected Lines"), "framePrevuTextResize");
    auto* vp = new QVBoxLayout(framePrevu);
    lstPrevuTextResize_ = Named(new QListWidget, "lstPrevuTextResize");
    // Every row has the same height, so a preview of a large file lays out at once.
    lstPrevuTextResize_->setUniformItemSizes(true);
    new WholeLineList(lstPrevuTextResize_);
    auto* cmdPrevu = Named(new QPushButton("Preview Resize"), "cmdPreVuResize");
    cmdPrevu->setToolTip("Lists all Headers with any (pre-ReSized) lines that will be changed.");
    vp->addWidget(lstPrevuTextResize_);
    vp->addWidget(cmdPrevu);

    auto* h = new QHBoxLayout;
    h->addWidget(frmResize);
    h->addWidget(framePrevu, 1);
    v->addLayout(h, 1);

    auto* cmdResize = Named(new QPushButton("Resize Text"), "cmdResizeText");
    QFont bold = cmdResize->font();
    bold.setBold(true);
    cmdResize->setFont(bold);
    cmdResize->setToolTip("Resizes text in Definitions that match the Selected Keywords.  Sends all "
                          "Definitions to Results form.");
    v->addWidget(cmdResize);
    chkPipe_ = Named(new QCheckBox("Enable Handling \"|\" Delimited Text Definitions"), "chkPipe");
    v->addWidget(chkPipe_);
    auto* note = Named(new QLabel("Note: This functionality (and more) can be duplicated using the "
                                  "Spreadsheet Export/Import functions."),
                       "Label3");
    note->setWordWrap(true);
    v->addWidget(note);

    connect(cmdPrevu, &QPushButton::clicked, this, &TextResizerTab::Preview);
    connect(cmdResize, &QPushButton::clicked, this, &TextResizerTab::Resize);
}

resize::ResizeSettings TextResizerTab::Settings() const {
    resize::ResizeSettings s;
    s.height = {chkResizeHeight_->isChecked(), Utf8(txtTextHeight_->text())};
    s.width = {chkResizeWidth_->isChecked(), Utf8(txtTextWidth_->text())};
    s.spacing = {chkResizeLine_->isChecked(), Utf8(txtLineSpace_->text())};
    s.pipe = chkPipe_->isChecked();
    s.decimalPoint = Utf8(QLocale().decimalPoint());
    return s;
}

void TextResizerTab::Preview() {
    std::optional<std::vector<std::string>> items;
    const bool fitted = WithinMemory(host_, [&] {
        BusyCursor busy;
        items = app::PreviewResize(session_, host_, ToPath(sourceName_()), Settings());
        if (items) {
            QStringList texts;
            texts.reserve(static_cast<qsizetype>(items->size()));
            for (const std::string& item : *items) texts << FromBytes(item);
            lstPrevuTextResize_->clear();
            lstPrevuTextResize_->addItems(texts);
        }
    });
    if (fitted && !items) emit sourceMissing();
}

void TextResizerTab::Resize() {
    bool found = true;
    WithinMemory(host_, [&] {
        BusyCursor busy;
        found = app::ResizeTextCommand(session_, host_, settings_, ToPath(sourceName_()), Settings());
    });
    if (!found) emit sourceMissing();
}

}  // namespace quillset::ui
