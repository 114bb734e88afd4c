#pragma once
// Plain file access for the core. Content is raw bytes: nothing is decoded or
// re-encoded. Paths are the file system's bytes.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillset::platform {

// The bytes of a text, held once, and its lines as views into them. The bytes
// live on the heap behind a shared pointer, so moving or copying this (or a
// model that took it over) leaves every view valid; whoever keeps a view
// keeps `bytes` with it.
struct TextLines {
    std::shared_ptr<const std::string> bytes;
    std::vector<std::string_view> lines;
};

struct ReadResult {
    bool ok = false;
    TextLines text;
    std::string error;  // why the file could not be read, when !ok
};

struct BytesResult {
    bool ok = false;
    std::string bytes;
    std::string error;  // why the file could not be read, when !ok
};

// A line ends at CRLF, LF or a lone CR; a last line without a terminator is
// still a line; empty bytes have no lines. Every byte other than the
// terminators passes through unchanged (NUL and 0x80-0xFF included).
//
// Calls visit(line) for each line of `bytes` in order, storing nothing: for a
// pass that only counts.
template <class Visit>
void ForEachLine(std::string_view bytes, Visit&& visit);

// The number of lines ForEachLine would visit.
std::size_t LineCount(std::string_view bytes);

// The lines of `bytes` as views into it; the array is sized by one counting
// pass first, so it is allocated once.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Takes over `bytes` and splits it.
TextLines SplitText(std::string bytes);

// Lines made elsewhere (a converted source) gathered into one buffer, each
// line's view exactly the text given, whatever bytes it holds.
TextLines JoinLines(const std::vector<std::string>& lines);

// Reads the whole file in one buffer. Anything but a regular file (a folder,
// FIFO or device) is refused, and a file that cannot be opened or read to its
// end gives !ok with the reason; nothing is thrown.
BytesResult ReadFileBytes(const std::string& path);

// ReadFileBytes, then SplitText: the file's bytes once, and its lines.
ReadResult ReadTextLines(const std::string& path);

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

template <class Visit>
void ForEachLine(std::string_view bytes, Visit&& visit) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    for (const char* p = begin; p != end; ++p) {
        const char c = *p;
        if (c != '\n' && c != '\r') continue;
        visit(std::string_view(start, static_cast<std::size_t>(p - start)));
        if (c == '\r' && p + 1 != end && p[1] == '\n') ++p;
        start = p + 1;
    }
    if (start != end) visit(std::string_view(start, static_cast<std::size_t>(end - start)));
}

}  // namespace quillset::platform
