#pragma once
// The "Text Resizer" tab: the three size fields with their check boxes, the
// "|" switch, "Preview Resize" with its list, and "Resize Text". The main
// window places it and switches its controls with the function controls.

#include <QString>
#include <QWidget>
#include <functional>

#include "resize/text_resizer.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace quillset {
struct Session;
class Host;
class SettingsStore;
}

namespace quillset::ui {

class TextResizerTab : public QWidget {
    Q_OBJECT
public:
    // `sourceName` reads the main window's source file name box.
    TextResizerTab(Session& session, Host& host, SettingsStore& settings,
                   std::function<QString()> sourceName, QWidget* parent = nullptr);

    QListWidget* previewList() const { return lstPrevuTextResize_; }
    // What the controls hold, as the core reads it; values in the user's
    // locale form or with ".".
    resize::ResizeSettings Settings() const;

signals:
    // A command found the source file gone; the focus belongs in its box.
    void sourceMissing();

private:
    void Preview();
    void Resize();

    Session& session_;
    Host& host_;
    SettingsStore& settings_;
    std::function<QString()> sourceName_;

    QCheckBox* chkResizeHeight_ = nullptr;
    QCheckBox* chkResizeWidth_ = nullptr;
    QCheckBox* chkResizeLine_ = nullptr;
    QLineEdit* txtTextHeight_ = nullptr;
    QLineEdit* txtTextWidth_ = nullptr;
    QLineEdit* txtLineSpace_ = nullptr;
    QCheckBox* chkPipe_ = nullptr;
    QListWidget* lstPrevuTextResize_ = nullptr;
};

}  // namespace quillset::ui
