#pragma once
// The output line array that every function appends to.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillset::exports {

// Slots at and above Count() are empty. Starts unallocated; the first append
// allocates 501 slots, and it grows by doubling so one empty slot always
// follows the last line.
class OutputLines {
public:
    void Append(std::string line);
    // A fresh array of 501 empty slots; Count() is kept, so the next line
    // lands behind empty slots that the writer drops.
    void Clear();
    std::int32_t Count() const { return count_; }
    // Takes back the lines appended since Count() was `count`.
    void TruncateTo(std::int32_t count) noexcept;
    const std::vector<std::string>& Slots() const { return slots_; }

private:
    std::vector<std::string> slots_;
    std::int32_t count_ = 0;
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

// Empty leading slots dropped, each run of empty slots written as one empty
// line; what the results file holds for these slots.
std::vector<std::string> CollapsedLines(const std::vector<std::string>& slots);

// The bytes of the collapsed output lines, each ended by CRLF
// (platform::RenderLines): what the results file holds. The hand-off and the
// script tool both write these, so a "Save As..." of the loaded text equals
// the script tool's output.
std::string RenderOutput(const OutputLines& output);

// What Save As and the script tool say when the chosen file already exists.
std::string AlreadyExistsMessage(std::string_view path);

}  // namespace quillset::exports
