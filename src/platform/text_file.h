#pragma once
// Plain file access for the core. Content is raw bytes: nothing is decoded or
// re-encoded. Paths are the file system's bytes.

#include <string>
#include <vector>

namespace quillset::platform {

struct ReadResult {
    bool ok = false;
    std::vector<std::string> lines;
    std::string error;  // why the file could not be read, when !ok
};

// Reads every line. A line ends at CRLF, LF or a lone CR; a last line without
// a terminator is still a line; an empty file has no lines. Every byte other
// than the terminators passes through unchanged (NUL and 0x80-0xFF included).
// Anything but a regular file (a folder, FIFO or device) is refused, and a
// file that cannot be opened or read to its end gives !ok with the reason;
// nothing is thrown.
ReadResult ReadTextLines(const std::string& path);

// Splits bytes the same way ReadTextLines does.
std::vector<std::string> SplitLines(const std::string& bytes);

// Writes each line followed by CRLF, replacing the file. False with a reason
// in *error when the file cannot be created or written.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string* error = nullptr);

// Writes `bytes` as they are, replacing the file.
bool WriteBytes(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to a new file at `path` and never replaces one: the bytes go
// to a temporary file beside it, which is moved into place only when
// complete, and the move fails if `path` exists by then. Nothing is left
// behind on failure. False with a reason in *error.
bool WriteNewFile(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// Removes the temporary file of a WriteNewFile in progress; safe to call from
// a signal handler, so a killed program leaves nothing behind.
void RemovePendingFile();

// True when anything stands at `path`, a dangling symbolic link included.
bool PathTaken(const std::string& path);

// Creates (or truncates to) an empty file.
bool CreateEmptyFile(const std::string& path, std::string* error = nullptr);
bool DeleteFile(const std::string& path, std::string* error = nullptr);

// True for an existing file that is not a folder.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

}  // namespace quillset::platform
