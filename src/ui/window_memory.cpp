#include "ui/window_memory.h"

#include <QByteArray>
#include <QEvent>
#include <QFileInfo>
#include <QWidget>

#include "platform/settings_store.h"
#include "ui/text.h"

namespace quillset::ui {

namespace {

constexpr const char* kPlacementSection = "Windows";
constexpr const char* kFolderSection = "Folders";

class PlacementKeeper : public QObject {
public:
    PlacementKeeper(QWidget* window, SettingsStore& settings, const char* key)
        : QObject(window), window_(window), settings_(settings), key_(key) {
        const std::string saved = settings_.Read(kPlacementSection, key_, "");
        if (!saved.empty())
            window_->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)));
        window_->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Minimising hides no window worth keeping: its normal place is kept
        // by the geometry either way.
        if (watched == window_ && event->type() == QEvent::Hide && !window_->isMinimized())
            settings_.Save(kPlacementSection, key_, window_->saveGeometry().toBase64().toStdString());
        return false;
    }

private:
    QWidget* window_;
    SettingsStore& settings_;
    std::string key_;
};

}  // namespace

void KeepPlacement(QWidget* window, SettingsStore& settings, const char* key) {
    new PlacementKeeper(window, settings, key);
}

QString LastFolder(SettingsStore& settings, const char* box) {
    return FromPath(settings.Read(kFolderSection, box, ""));
}

void KeepFolderOf(SettingsStore& settings, const char* box, const QString& chosenFile) {
    settings.Save(kFolderSection, box, ToPath(QFileInfo(chosenFile).absolutePath()));
}

}  // namespace quillset::ui
