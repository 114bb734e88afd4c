#pragma once
// Opens the program's help file with the desktop's handler for it.

#include <QString>

namespace quillset::platform {

inline constexpr const char* kHelpFileName = "quillset_hlp.chm";

// The help file beside the program.
QString HelpFileBesideProgram();

// The existing file `path` names, as an absolute path; a relative name is
// looked for beside the program, not in the working folder. Empty when there
// is no such file.
QString LocateHelpFile(const QString& path);

// Opens `path` (located as above) when it exists; a missing help file is not
// an error, so this only reports whether anything was opened.
bool OpenHelpFile(const QString& path);

// Opens the existing file `path` with the desktop's handler for its kind (a
// web page in the browser); false when there is none.
bool OpenWithDesktop(const QString& path);

}  // namespace quillset::platform
