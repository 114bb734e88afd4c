#include "platform/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillset::platform {

namespace {

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') continue;
        lines.emplace_back(bytes, start, i - start);
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(bytes, start, n - start);
    return lines;
}

ReadResult ReadTextLines(const std::string& path) {
    ReadResult result;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        result.error = "it is a folder";
        return result;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = errno ? ErrnoText() : "cannot be opened";
        return result;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        result.error = "read error";
        return result;
    }
    result.lines = SplitLines(bytes);
    result.ok = true;
    return result;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    std::string* error) {
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        SetError(error, ErrnoText());
        return false;
    }
    const bool wrote = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int wrote_errno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!wrote || !closed) {
        errno = wrote_errno ? wrote_errno : errno;
        SetError(error, ErrnoText());
        return false;
    }
    return true;
}

bool CreateEmptyFile(const std::string& path, std::string* error) {
    return WriteTextLines(path, {}, error);
}

bool DeleteFile(const std::string& path, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        SetError(error, "it is a folder");
        return false;
    }
    if (std::remove(path.c_str()) != 0) {
        SetError(error, ErrnoText());
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace quillset::platform
