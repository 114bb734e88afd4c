#pragma once
// The output lines that every function appends to, held once: a line that
// lies in a loaded file's bytes is kept as a view with those bytes held, any
// other line is copied into byte blocks of the array's own. Neither the lines
// nor the bytes move as the array grows: both live in fixed-size blocks, so
// no whole array is copied on the way. A line costs 8 bytes: its length and
// its offset from one of a few base addresses that its block of lines keeps.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/progress.h"
#include "platform/text_file.h"

namespace quillset::model {

class OutputLines {
public:
    OutputLines() = default;
    // Views into the array's own blocks stay valid when it moves; a copy
    // would look into the original's, so there is none.
    OutputLines(OutputLines&&) noexcept = default;
    OutputLines& operator=(OutputLines&&) noexcept = default;
    OutputLines(const OutputLines&) = delete;
    OutputLines& operator=(const OutputLines&) = delete;

    // Appends a copy of `line`.
    void Append(std::string_view line);
    // Appends `line` as a view when it lies within `*holder`, which is then
    // kept as long as the line; a copy otherwise.
    void Append(std::string_view line, const std::shared_ptr<const std::string>& holder);
    // Empties the array; Count() is kept, so the next line lands behind
    // empty lines that the writer drops.
    void Clear() noexcept;
    std::int32_t Count() const { return count_; }
    // Takes back the lines appended since Count() was `count`.
    void TruncateTo(std::int32_t count) noexcept;

    // Line `i` (below Count()).
    std::string_view operator[](std::int32_t i) const;
    // Copies of the Count() lines, for callers that keep them elsewhere.
    std::vector<std::string> Lines() const;

    // Calls visit(line) for every line in order, those emptied by Clear()
    // left out (they are empty).
    template <class Visit>
    void ForEachLine(Visit&& visit) const {
        const std::size_t stored = static_cast<std::size_t>(count_ - base_);
        for (std::size_t c = 0; c * kLinesPerBlock < stored; ++c) {
            const Block& block = blocks_[c];
            const std::size_t n = std::min(kLinesPerBlock, stored - c * kLinesPerBlock);
            for (std::size_t i = 0; i < n; ++i) visit(Line(block, block.refs[i]));
        }
    }

private:
    static constexpr std::size_t kLinesPerBlock = std::size_t{1} << 14;
    static constexpr std::size_t kBytesPerBlock = std::size_t{1} << 20;
    // A line's reference: its length (28 bits), the slot of its block's base
    // (4 bits) and its offset from that base (32 bits). Slot kLong instead
    // names an entry of long_: a line of 256 MB or more, or one that no base
    // of its block reaches when every slot is taken.
    static constexpr unsigned kBases = 15;
    static constexpr unsigned kLong = 15;
    static constexpr std::size_t kLongest = (std::size_t{1} << 28) - 1;
    struct Block {
        std::unique_ptr<std::uint64_t[]> refs;
        const char* bases[kBases] = {};
        unsigned used = 0;
    };

    std::string_view Line(const Block& block, std::uint64_t ref) const {
        const auto slot = static_cast<unsigned>(ref >> 32) & 15u;
        if (slot == kLong) return long_[static_cast<std::uint32_t>(ref)];
        const auto size = static_cast<std::size_t>(ref >> 36);
        if (size == 0) return {};
        return {block.bases[slot] + static_cast<std::uint32_t>(ref), size};
    }
    // `base`: where the bytes that hold the line begin, the base a new slot
    // takes, so one slot serves every line of a file.
    std::uint64_t Ref(Block& block, std::string_view line, const char* base);
    void Store(std::string_view line, const char* base);
    // The copy, and where the block that holds it begins.
    std::pair<std::string_view, const char*> Copy(std::string_view line);

    std::vector<Block> blocks_;
    std::vector<std::string_view> long_;
    std::vector<std::unique_ptr<char[]>> bytes_;
    char* free_ = nullptr;  // unused room of the last byte block
    std::size_t room_ = 0;
    const char* freeBlock_ = nullptr;  // where that block begins
    std::vector<std::shared_ptr<const std::string>> holders_;
    std::int32_t count_ = 0;
    std::int32_t base_ = 0;  // lines below it were emptied by Clear()
};

// Runs `append`, which adds to `output`; when it throws (memory running
// out), the lines it added are taken back first, so the Results keep what
// they held.
template <class Append>
void AppendAllOrNothing(OutputLines& output, Append&& append) {
    const std::int32_t count = output.Count();
    try {
        append();
    } catch (...) {
        output.TruncateTo(count);
        throw;
    }
}

// output.ForEachLine, telling `meter` (when given) how many lines are done;
// the meter may stop the walk (Cancelled).
template <class Visit>
void ForEachLine(const OutputLines& output, ProgressMeter* meter, Visit&& visit) {
    std::uint64_t done = 0;
    output.ForEachLine([&](std::string_view line) {
        if (meter) meter->At(done++);
        visit(line);
    });
}

// What the results file holds for the output lines: leading empty lines
// dropped, each run of empty lines written as one, and an empty line after
// the last unless it is one, every line ended by CRLF. Passed to `put` piece by piece, so the
// text is never held whole. The hand-off and the script tool both write
// these, so a "Save As..." of the loaded text equals the script tool's
// output.
void RenderOutput(const OutputLines& output, const platform::ByteSink& put);
// The same bytes in one string.
std::string RenderOutput(const OutputLines& output);
// RenderOutput as a source for the writers; `output` must outlive it.
platform::ByteSource RenderedOutput(const OutputLines& output);

// What Save As and the script tool say when the chosen file already exists.
std::string AlreadyExistsMessage(std::string_view path);

}  // namespace quillset::model
