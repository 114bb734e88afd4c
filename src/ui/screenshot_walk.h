#pragma once
// A scripted walk through the typical request that saves pictures of the
// windows, for checking the layout by eye (tools/screenshot).

#include <QString>

namespace quillset::ui {

class MainWindow;

// Processes the source already named in the window, selects keywords,
// exports, saves PNGs of every window into `folder`, then quits.
void RunScreenshotWalk(MainWindow& window, const QString& folder);

}  // namespace quillset::ui
