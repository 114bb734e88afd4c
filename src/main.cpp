#include <QApplication>
#include <QTimer>

#include "platform/file_dialogs.h"
#include "platform/qt_settings.h"
#include "app/session.h"
#include "ui/main_window.h"
#include "ui/prompter.h"
#include "ui/screenshot_walk.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Quillset");
    QCoreApplication::setApplicationName("Quillset");

    quillset::Session session;
    quillset::ui::MessageBoxPrompter prompter;
    quillset::platform::QtFileDialogs dialogs;
    quillset::platform::QtSettingsStore settings;
    quillset::ui::MainWindow window(session, prompter, dialogs, settings);
    window.show();

    // A file named on the command line is taken as if typed into the source box.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) window.TypeSourceName(args.at(1));

    // tools/screenshot sets this to take pictures of a scripted session.
    const QString shots = qEnvironmentVariable("QUILLSET_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QTimer::singleShot(300, &window, [&window, shots] { quillset::ui::RunScreenshotWalk(window, shots); });
    return app.exec();
}
