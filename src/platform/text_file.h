#pragma once
// Plain file access for the core. Content is raw bytes: nothing is decoded or
// re-encoded. Paths are the file system's bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_ends.h"

namespace quillset::platform {

// The bytes of a text, held once, and its lines as views into them. The bytes
// live on the heap behind a shared pointer, so moving or copying this (or a
// model that took it over) leaves every view valid; whoever keeps a view
// keeps `bytes` with it.
struct TextLines {
    std::shared_ptr<const std::string> bytes;
    std::vector<std::string_view> lines;
};

// What every file operation that can fail gives back: whether it worked and,
// when not, why (the system's reason, as messages quote it). Nothing here
// throws for a failed operation.
struct Status {
    bool ok = false;
    std::string error;  // why it failed, when !ok
    explicit operator bool() const { return ok; }
};
using ReadStatus = Status;
struct ReadResult : Status {
    TextLines text;
};
struct BytesResult : Status {
    std::string bytes;
};
struct NewFilesStatus : Status {
    std::size_t failed = 0;  // the index of the file that failed, when !ok
};

// Asks that the untouched memory of a large, just reserved buffer be backed
// by large pages where the system offers them: a fresh process otherwise
// spends more time faulting in a big file's buffer and line index than
// reading it. Only a hint; nothing changes where it is not taken.
void AdviseLargePages(const void* data, std::size_t size);

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

// Reads the file block by block and calls visit(piece) with its bytes in
// order, each piece ending at a line end (the last one at the end of the
// file), so no line is split between pieces; a line longer than a block
// comes whole in a larger one. The same files are refused as by
// ReadFileBytes, with the same reasons. Nothing of the file is kept.
ReadStatus ForEachPiece(const std::string& path, const std::function<void(std::string_view)>& visit);

// ReadFileBytes, then SplitText: the file's bytes once, and its lines.
ReadResult ReadTextLines(const std::string& path);

// Bytes handed over piece by piece: a writer takes a source and passes it a
// sink, so an output made of many pieces (the output lines) is never held
// whole on its way to a file.
using ByteSink = std::function<void(std::string_view)>;
using ByteSource = std::function<void(const ByteSink&)>;
// Each line ended by CRLF: the bytes of every text file written, passed to
// `put` piece by piece or returned whole.
void RenderLines(const std::vector<std::string>& lines, const ByteSink& put);
std::string RenderLines(const std::vector<std::string>& lines);
// A source that renders `lines`, which it holds.
ByteSource SourceOfLines(std::vector<std::string> lines);
// Writes each line followed by CRLF, replacing the file; fails when the file
// cannot be created or written.
Status WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Writes `bytes` as they are, replacing the file.
Status WriteBytes(const std::string& path, const std::string& bytes);
Status WriteBytes(const std::string& path, const ByteSource& bytes);

// Writes `bytes` to a new file at `path` and never replaces one: the bytes go
// to a temporary file beside it, which is moved into place only when
// complete, and the move fails if `path` exists by then. Nothing is left
// behind on failure.
Status WriteNewFile(const std::string& path, const std::string& bytes);
Status WriteNewFile(const std::string& path, const ByteSource& bytes);

struct NewFile {
    NewFile(std::string path, std::string_view bytes) : path(std::move(path)), bytes(bytes) {}
    NewFile(std::string path, ByteSource source) : path(std::move(path)), source(std::move(source)) {}
    std::string path;
    std::string_view bytes;
    ByteSource source;  // when set, the bytes come from it instead
};
// WriteNewFile for several files, all or nothing: every file is written
// beside its target before any is moved into place, and on any failure the
// files this call moved in are removed again. A failure names the file that
// failed by its index.
NewFilesStatus WriteNewFiles(const std::vector<NewFile>& files);

// Removes what a WriteNewFile(s) in progress has made; safe to call from a
// signal handler, so a killed program leaves nothing behind.
void RemovePendingFile();

// True when anything stands at `path`, a dangling symbolic link included.
bool PathTaken(const std::string& path);

// Creates (or truncates to) an empty file.
Status CreateEmptyFile(const std::string& path);
Status DeleteFile(const std::string& path);

// True for an existing file that is not a folder.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);


template <class Visit>
void ForEachLine(std::string_view bytes, Visit&& visit) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;  // of the line being read
    const auto lineEnd = [&](const char* at) {
        if (at < start) return;  // the LF of a CRLF already taken
        visit(std::string_view(start, static_cast<std::size_t>(at - start)));
        start = at + 1;
        if (*at == '\r' && start != end && *start == '\n') ++start;
    };
    std::uint16_t ends[kLineEndSpan];
    for (const char* span = begin; span != end;) {
        const std::size_t size = std::min<std::size_t>(kLineEndSpan, static_cast<std::size_t>(end - span));
        const std::size_t count = FindLineEnds(span, size, ends);
        for (std::size_t k = 0; k < count; ++k) lineEnd(span + ends[k]);
        span += size;
    }
    if (start < end) visit(std::string_view(start, static_cast<std::size_t>(end - start)));
}

}  // namespace quillset::platform
