#include "ui/file_drop.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace quillset::ui {

FileDrop::FileDrop(QWidget* target, std::function<void(const QString&)> onDrop)
    : QObject(target), onDrop_(std::move(onDrop)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

std::optional<QString> FileDrop::DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return QDir::toNativeSeparators(url.toLocalFile());
    return std::nullopt;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!DroppedFile(drag->mimeData())) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<QString> file = DroppedFile(drop->mimeData());
            if (!file) return false;
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, name = *file] { onDrop_(name); });
            return true;
        }
        default: return QObject::eventFilter(watched, event);
    }
}

}  // namespace quillset::ui
