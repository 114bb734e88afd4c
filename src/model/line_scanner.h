#pragma once
// The one cut of a preference file into header and body lines: the load, the
// counts, the keyword scan and the comparison's test file all read a file
// through it, so the header rule is applied in one place.

#include <cstring>
#include <span>
#include <string_view>

#include "model/definition_blocks.h"
#include "platform/text_file.h"

namespace quillset::model {

// Calls visit(raw, header) for each line of `bytes` as read
// (platform::ForEachLine), `header` telling whether the line opens a block.
// TrimLineEnd keeps the first byte, so the line cleaned is a header exactly
// when the line as read is.
template <class Visit>
void ScanLines(std::string_view bytes, Visit&& visit) {
    platform::ForEachLine(bytes, [&](std::string_view raw) { visit(raw, IsHeaderLine(raw)); });
}

// The same for lines already cut (a converted source).
template <class Visit>
void ScanLines(std::span<const std::string_view> lines, Visit&& visit) {
    for (const std::string_view raw : lines) visit(raw, IsHeaderLine(raw));
}

// Calls visit(raw, header) for the lines of `bytes` that hold "[" only: the
// header lines, and those that a reading which trims first takes for one.
// For a caller that wants nothing else of a file (the keyword scan): a byte
// search skips the other lines. `bytes` must end at a line end.
template <class Visit>
void ScanBracketLines(std::string_view bytes, Visit&& visit) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* at = begin;
    while ((at = static_cast<const char*>(std::memchr(at, '[', static_cast<std::size_t>(end - at))))) {
        const char* const open = at;
        const char* start = open;
        while (start != begin && start[-1] != '\n' && start[-1] != '\r') --start;
        const char* stop = open;
        while (stop != end && *stop != '\n' && *stop != '\r') ++stop;
        at = stop;  // the next line's "[" at the earliest
        const std::string_view raw(start, static_cast<std::size_t>(stop - start));
        visit(raw, IsHeaderLine(raw));
    }
}

}  // namespace quillset::model
