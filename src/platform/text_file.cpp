#include "platform/text_file.h"
#include "platform/system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <windows.h>
#undef DeleteFile  // ours, not the wide call
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdint>
#include <filesystem>

namespace quillset::platform {

namespace {

Status Failed(std::string why) { return {false, std::move(why)}; }
Status Done() { return {true, {}}; }

std::string ErrnoText() { return std::strerror(errno); }

constexpr std::size_t kFirstBlock = 64 * 1024;
constexpr std::size_t kPieceBlock = 1024 * 1024;

}  // namespace

void AdviseLargePages(const void* data, std::size_t size) {
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
    if (size < 2 * kLarge) return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLarge - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

std::size_t LineCount(std::string_view bytes) {
    std::size_t count = 0;
    ForEachLine(bytes, [&](std::string_view) { ++count; });
    return count;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    lines.reserve(LineCount(bytes));
    AdviseLargePages(lines.data(), lines.capacity() * sizeof(std::string_view));
    ForEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

TextLines SplitText(std::string bytes) {
    TextLines text;
    text.bytes = std::make_shared<const std::string>(std::move(bytes));
    text.lines = SplitLines(*text.bytes);
    return text;
}

TextLines JoinLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 1;
    auto bytes = std::make_shared<std::string>();
    bytes->reserve(total);
    for (const auto& line : lines) bytes->append(line).push_back('\n');
    TextLines text;
    text.lines.reserve(lines.size());
    std::size_t at = 0;
    for (const auto& line : lines) {
        text.lines.emplace_back(bytes->data() + at, line.size());
        at += line.size() + 1;
    }
    text.bytes = std::move(bytes);
    return text;
}

namespace {

// Opens a regular file for reading: a FIFO or a device would block or never
// end. nullptr with the reason in `error` otherwise.
std::FILE* OpenRegularFile(const std::string& path, std::string& error) {
    // Opening a device such as CON may wait for a keyboard or fail obscurely.
    if (IsDeviceName(path)) {
        error = "it is not a regular file";
        return nullptr;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(FsPath(path), ec);
    if (!ec && std::filesystem::is_directory(status)) {
        error = "it is a folder";
        return nullptr;
    }
    if (!ec && !std::filesystem::is_regular_file(status)) {
        error = "it is not a regular file";
        return nullptr;
    }
    errno = 0;
    std::FILE* f = OpenFile(path, "rb");
    if (!f) error = errno ? ErrnoText() : "cannot be opened";
#if defined(_WIN32)
    // NUL, CON or aux.ini: the names of devices in every folder.
    if (f && GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)))) != FILE_TYPE_DISK) {
        std::fclose(f);
        error = "it is not a regular file";
        return nullptr;
    }
#endif
    return f;
}

std::string ReadErrorText(int read_errno) {
    return read_errno ? "read error: " + std::string(std::strerror(read_errno)) : "read error";
}

}  // namespace

ReadStatus ForEachPiece(const std::string& path, const std::function<void(std::string_view)>& visit) {
    ReadStatus result;
    std::FILE* f = OpenRegularFile(path, result.error);
    if (!f) return result;
    // One block, used again and again: a fresh buffer as large as the file
    // costs more to fault in than the whole pass over it.
    std::error_code ec;
    const auto size = std::filesystem::file_size(FsPath(path), ec);
    std::string block(ec ? kFirstBlock : std::clamp<std::size_t>(size + 1, kFirstBlock, kPieceBlock), '\0');
    std::size_t kept = 0;  // bytes of an unfinished line carried to the front
    bool atEnd = false;
    errno = 0;
    while (!atEnd) {
        if (kept == block.size()) block.resize(block.size() * 2);  // a line longer than the block
        const std::size_t wanted = block.size() - kept;
        const std::size_t got = std::fread(block.data() + kept, 1, wanted, f);
        const std::size_t used = kept + got;
        atEnd = got < wanted;
        // Cut after the last terminator, but not between the CR and LF of a
        // CRLF that the next read may complete.
        std::size_t cut = used;
        if (!atEnd) {
            cut = 0;
            for (std::size_t i = used; i > 0; --i) {
                const char c = block[i - 1];
                if (c == '\n' || (c == '\r' && i < used)) {
                    cut = i;
                    break;
                }
            }
        }
        if (cut > 0) visit(std::string_view(block.data(), cut));
        kept = used - cut;
        std::memmove(block.data(), block.data() + cut, kept);
    }
    const bool failed = std::ferror(f) != 0;
    const int read_errno = errno;
    std::fclose(f);
    if (failed) {
        result.error = ReadErrorText(read_errno);
        return result;
    }
    result.ok = true;
    return result;
}

BytesResult ReadFileBytes(const std::string& path) {
    BytesResult result;
    std::FILE* f = OpenRegularFile(path, result.error);
    if (!f) return result;
    std::error_code ec;
    // Blocks through fread, not a stream iterator: libstdc++ throws a read
    // error out of the iterator. The size is only a first guess (files under
    // /proc report 0, and a file may grow while it is read).
    const auto size = std::filesystem::file_size(FsPath(path), ec);
    // One byte over the expected size, so the end shows without growing.
    std::string& bytes = result.bytes;
    const std::size_t guess = ec ? kFirstBlock : std::max<std::size_t>(size + 1, kFirstBlock);
    bytes.reserve(guess);
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(guess);
    std::size_t used = 0;
    errno = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const std::size_t wanted = bytes.size() - used;
        const std::size_t got = std::fread(bytes.data() + used, 1, wanted, f);
        used += got;
        if (got < wanted) break;  // end of file or a read error
    }
    const bool failed = std::ferror(f) != 0;
    const int read_errno = errno;
    std::fclose(f);
    if (failed) {
        result.error = ReadErrorText(read_errno);
        result.bytes = {};
        return result;
    }
    bytes.resize(used);
    // Shrunk only when the guess was far off, so a large file is not copied.
    if (bytes.capacity() - used > kFirstBlock) bytes.shrink_to_fit();
    result.ok = true;
    return result;
}

ReadResult ReadTextLines(const std::string& path) {
    ReadResult result;
    BytesResult read = ReadFileBytes(path);
    if (!read.ok) {
        result.error = std::move(read.error);
        return result;
    }
    result.text = SplitText(std::move(read.bytes));
    result.ok = true;
    return result;
}

void RenderLines(const std::vector<std::string>& lines, const ByteSink& put) {
    for (const auto& line : lines) {
        put(line);
        put("\r\n");
    }
}

std::string RenderLines(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    RenderLines(lines, [&bytes](std::string_view piece) { bytes += piece; });
    return bytes;
}

ByteSource SourceOfLines(std::vector<std::string> lines) {
    auto held = std::make_shared<const std::vector<std::string>>(std::move(lines));
    return [held](const ByteSink& put) { RenderLines(*held, put); };
}

Status WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    return WriteBytes(path, [&lines](const ByteSink& put) { RenderLines(lines, put); });
}

Status WriteBytes(const std::string& path, const std::string& bytes) {
    return WriteBytes(path, [&bytes](const ByteSink& put) { put(bytes); });
}

Status WriteBytes(const std::string& path, const ByteSource& bytes) {
    errno = 0;
    std::FILE* f = OpenFile(path, "wb");
    if (!f) return Failed(ErrnoText());
    bool wrote = true;
    int wrote_errno = 0;
    bytes([&](std::string_view piece) {
        if (wrote && std::fwrite(piece.data(), 1, piece.size(), f) != piece.size()) {
            wrote = false;
            wrote_errno = errno;
        }
    });
    const bool closed = std::fclose(f) == 0;
    if (!wrote || !closed) {
        errno = wrote_errno ? wrote_errno : errno;
        return Failed(ErrnoText());
    }
    return Done();
}

namespace {

// What WriteNewFiles has made so far, for RemovePendingFile: one entry per
// file, its temporary and its target name, and whether the temporary or the
// target holds our bytes. Allocated before any file is made and not touched
// again until the run ends, so a signal handler may read it.
struct PendingFile {
    std::string temp, target;
    std::atomic<int> state{0};  // 0 nothing of ours, 1 the temporary, 2 the target
};
std::atomic<PendingFile*> pendingFiles{nullptr};
std::atomic<std::size_t> pendingCount{0};

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Moves `from` to `to` unless `to` exists. renameat2 does it in one step;
// where the file system lacks it, link() refuses an existing name as well.
bool MoveNoReplace(const std::string& from, const std::string& to) {
#if defined(_WIN32)
    // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing name.
    if (MoveFileExW(FsPath(from).c_str(), FsPath(to).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    errno = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS ? EEXIST : EACCES;
    return false;
#else
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
#endif
}

int OpenNew(const std::string& name) {
#if defined(_WIN32)
    return ::_wopen(FsPath(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, 0666);
#else
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

bool Sync(int fd) {
#if defined(_WIN32)
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

void Unlink(const char* name) {
#if defined(_WIN32)
    ::_wunlink(FsPath(name).c_str());  // Windows runs console handlers on a thread of their own
#else
    ::unlink(name);
#endif
}

}  // namespace

bool PathTaken(const std::string& path) {
#if defined(_WIN32)
    if (IsDeviceName(path)) return true;
    if (GetFileAttributesW(FsPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD why = GetLastError();
    return why != ERROR_FILE_NOT_FOUND && why != ERROR_PATH_NOT_FOUND;
#else
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
#endif
}

namespace {

// The target's folder, or "." for a bare name; empty when the target names
// no file (it is a folder).
std::string FolderOf(const std::string& path) {
    const std::filesystem::path target = FsPath(path);
    const std::string base = NameOf(target.filename());
    if (base.empty() || base == "." || base == "..") return {};
    return target.has_parent_path() ? NameOf(target.parent_path()) : std::string(".");
}

// A temporary file beside the target, its name short whatever the target's
// length (a target may use the whole of a name's 255 bytes); hidden, and
// unique by process and attempt, since O_EXCL never reuses a name.
int OpenTemporary(const std::string& folder, std::string* temp) {
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        *temp = NameOf(FsPath(folder) / FsPath(".quillset-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(attempt) + ".tmp"));
        fd = OpenNew(*temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

// Writes what `file` holds through a buffer, so a source of many small
// pieces costs few system calls.
bool FillAndClose(int fd, const NewFile& file) {
    bool ok = true;
    if (file.source) {
        std::string buffer;
        buffer.reserve(std::size_t{1} << 20);
        file.source([&](std::string_view piece) {
            if (!ok) return;
            if (buffer.size() + piece.size() > buffer.capacity()) {
                ok = WriteAll(fd, buffer);
                buffer.clear();
                if (ok && piece.size() >= buffer.capacity()) {
                    ok = WriteAll(fd, piece);
                    return;
                }
            }
            buffer += piece;
        });
        ok = ok && WriteAll(fd, buffer);
    } else {
        ok = WriteAll(fd, file.bytes);
    }
    ok = ok && Sync(fd);
    const int saved = errno;
    if (::close(fd) != 0 && ok) return false;
    errno = saved;
    return ok;
}

}  // namespace

NewFilesStatus WriteNewFiles(const std::vector<NewFile>& files) {
    NewFilesStatus status;
    std::vector<PendingFile> made(files.size());
    std::vector<std::string> folders(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        folders[i] = FolderOf(files[i].path);
        made[i].target = files[i].path;
        if (folders[i].empty()) {
            status.error = "it is a folder";
            status.failed = i;
            return status;
        }
    }
    // Takes back what this call made unless all of it moved into place,
    // however the call ends: also when memory runs out on the way.
    struct TakeBack {
        std::vector<PendingFile>& made;
        bool done = false;
        ~TakeBack() {
            for (PendingFile& file : made) {
                try {  // widening a name on Windows allocates
                    if (!done && file.state == 1) Unlink(file.temp.c_str());
                    if (!done && file.state == 2) Unlink(file.target.c_str());
                } catch (...) {
                }
                file.state = 0;
            }
            pendingCount = 0;
            pendingFiles = nullptr;
        }
    } takeBack{made};
    pendingFiles = made.data();
    pendingCount = made.size();
    // Every file is complete beside its target before the first one moves in.
    bool ok = true;
    std::size_t at = 0;
    for (; ok && at < files.size(); ++at) {
        const int fd = OpenTemporary(folders[at], &made[at].temp);
        if (fd < 0) {
            ok = false;
            break;
        }
        made[at].state = 1;
        ok = FillAndClose(fd, files[at]);
        if (!ok) break;
    }
    for (std::size_t i = 0; ok && i < files.size(); ++i) {
        if (MoveNoReplace(made[i].temp, made[i].target)) {
            made[i].state = 2;
        } else {
            ok = false;
            at = i;
        }
    }
    takeBack.done = ok;
    status.ok = ok;
    if (!ok) {
        status.error = std::strerror(errno);
        status.failed = at;
    }
    return status;
}

Status WriteNewFile(const std::string& path, const std::string& bytes) {
    return WriteNewFiles({NewFile(path, std::string_view(bytes))});
}

Status WriteNewFile(const std::string& path, const ByteSource& bytes) {
    return WriteNewFiles({NewFile(path, bytes)});
}

void RemovePendingFile() {
    PendingFile* files = pendingFiles;
    const std::size_t count = pendingCount;
    if (!files) return;
    for (std::size_t i = 0; i < count; ++i) {
        if (files[i].state == 1) Unlink(files[i].temp.c_str());
        if (files[i].state == 2) Unlink(files[i].target.c_str());
    }
}

Status CreateEmptyFile(const std::string& path) { return WriteTextLines(path, {}); }

Status DeleteFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(FsPath(path), ec)) return Failed("it is a folder");
    if (RemoveFile(path) != 0) return Failed(ErrnoText());
    return Done();
}

bool FileExists(const std::string& path) {
    // A device exists, so that reading it is refused with the reason.
    if (IsDeviceName(path)) return true;
    std::error_code ec;
    const auto status = std::filesystem::status(FsPath(path), ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(FsPath(path), ec);
}

}  // namespace quillset::platform
