#pragma once
// Files dragged from the desktop onto a widget: the first local file of a
// drop is handed on as a name, as if typed into a file box. Drags of
// anything else pass to the widget as before (text into a text box).

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QMimeData;
class QWidget;

namespace quillset::ui {

class FileDrop : public QObject {
public:
    // Watches `target`, which accepts drops from then on. `onDrop` runs
    // after the drop has ended, so a message it shows does not hold up the
    // program the file came from.
    FileDrop(QWidget* target, std::function<void(const QString&)> onDrop);

    static std::optional<QString> DroppedFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> onDrop_;
};

}  // namespace quillset::ui
