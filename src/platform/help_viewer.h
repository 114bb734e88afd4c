#pragma once
// Opens the program's help file with the desktop's handler for it.

#include <QString>

namespace quillset::platform {

inline constexpr const char* kHelpFileName = "quillset_hlp.chm";

// The help file beside the program.
QString HelpFileBesideProgram();

// Opens `path` when it exists; a missing help file is not an error, so this
// only reports whether anything was opened.
bool OpenHelpFile(const QString& path);

}  // namespace quillset::platform
