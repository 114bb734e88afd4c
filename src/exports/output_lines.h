#pragma once
// The output line array that every function appends to, and its hand-off to
// the Results window through the results temporary file.

#include <cstdint>
#include <optional>
#include <string>
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
    const std::vector<std::string>& Slots() const { return slots_; }

private:
    std::vector<std::string> slots_;
    std::int32_t count_ = 0;
};

inline constexpr const char* kTempSection = "Tempfile";
inline constexpr const char* kTempKey = "FileName";
inline constexpr const char* kTempDefault = "quillset.tmp";

// Empty leading slots dropped, each run of empty slots written as one empty
// line; what the results file holds for these slots.
std::vector<std::string> CollapsedLines(const std::vector<std::string>& slots);

// The name of a freshly created, empty results temporary file, also stored in
// session.tempFileName. When it cannot be created, the host's temporary-file
// window is asked for another name until one works (saved in the settings
// store) or the user gives up: then nullopt, after a message.
std::optional<std::string> ResultsTempFileName(Session& session, Host& host, SettingsStore& settings);

// Writes the output lines (collapsed) to the results temporary file and has
// the host show it. False, after a message, when nothing could be written;
// the output lines are kept either way.
bool ShowResults(Session& session, Host& host, SettingsStore& settings);

}  // namespace quillset::exports
