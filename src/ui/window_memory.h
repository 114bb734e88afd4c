#pragma once
// What the windows keep between runs in the per-user settings: their size
// and place, and the folder each file box last browsed in.

#include <QString>

class QWidget;

namespace quillset {
class SettingsStore;
}

namespace quillset::ui {

// Gives `window` the size and place saved under `key` (a saved place off
// every screen is brought back onto one) and saves them each time the
// window is hidden: when it closes, and after every decision of a window
// that is hidden between uses.
void KeepPlacement(QWidget* window, SettingsStore& settings, const char* key);

// The folder the file box `box` last browsed in; empty before the first time.
QString LastFolder(SettingsStore& settings, const char* box);
void KeepFolderOf(SettingsStore& settings, const char* box, const QString& chosenFile);

}  // namespace quillset::ui
