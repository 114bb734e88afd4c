#pragma once
// The output line array that every function appends to, and its hand-off to
// the Results window through the results temporary file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

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

inline constexpr const char* kTempSection = "Tempfile";
inline constexpr const char* kTempKey = "FileName";
inline constexpr const char* kTempDefault = "quillset.tmp";

// Empty leading slots dropped, each run of empty slots written as one empty
// line; what the results file holds for these slots.
std::vector<std::string> CollapsedLines(const std::vector<std::string>& slots);

// The bytes of finished output lines, each ended by CRLF: what the results
// file holds. The hand-off and the script tool both write these, so a
// "Save As..." of the loaded text equals the script tool's output.
std::string RenderLines(const std::vector<std::string>& lines);
// RenderLines of the collapsed output lines.
std::string RenderOutput(const OutputLines& output);

// What Save As and the script tool say when the chosen file already exists.
std::string AlreadyExistsMessage(std::string_view path);

// The name of a freshly created, empty temporary file, read from the
// settings store (`section`, key "FileName", else `fallback`) and also stored
// in session.tempFileName. When it cannot be created, the host's
// temporary-file window is asked for another name until one works (saved in
// the settings store) or the user gives up: then nullopt, after a message.
// A name that is the file `keep` (the source) or the test file of the last
// comparison counts as one that cannot be created, so a temporary file never
// replaces an input.
std::optional<std::string> CreateTempFile(Session& session, Host& host, SettingsStore& settings,
                                          std::string_view section, std::string_view fallback,
                                          const std::string& keep = {});

// CreateTempFile for the results file (section "Tempfile").
std::optional<std::string> ResultsTempFileName(Session& session, Host& host, SettingsStore& settings,
                                               const std::string& keep = {});

// Writes `lines` as they are to the results temporary file and has the host
// show it. False, after a message, when nothing could be written.
bool HandOffLines(Session& session, Host& host, SettingsStore& settings,
                  const std::vector<std::string>& lines, const std::string& keep = {});

// Writes the output lines (collapsed) to the results temporary file and has
// the host show it. False, after a message, when nothing could be written;
// the output lines are kept either way.
bool ShowResults(Session& session, Host& host, SettingsStore& settings, const std::string& keep = {});

}  // namespace quillset::exports
