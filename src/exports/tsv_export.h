#pragma once
// "Preference. to TSV": the preference blocks of the output lines side by
// side, one column per header line met, each numbered setting in the row of
// its number, TAB-separated and unquoted.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

namespace quillset::exports {

struct TsvExport {
    // Rows 0 to rows - 1 with exactly columns - 1 TABs each, then one empty line.
    std::vector<std::string> lines;
    // The warnings for the fixed header lines, in the order met, then the
    // two size messages: what the user is told, in order.
    std::vector<std::string> messages;
    std::size_t columns = 0;  // N: header lines met
    std::size_t rows = 0;     // M: the highest number placed + 2
};

TsvExport TsvExportLines(const std::vector<std::string>& slots);

// Tells the messages of TsvExportLines of the output lines, writes the table
// to the results temporary file, sets the output kind to 2 and has the host
// show it. False after a message when the file could not be written.
bool WriteTsvExport(Session& session, Host& host, SettingsStore& settings,
                    const std::string& sourcePath = {});

// The button: source check, the listed blocks collected, then
// WriteTsvExport. False when the source file is missing.
bool ExportTsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath);

// The same export as the bytes a save of the Results window writes, its
// messages told, for callers that keep output in memory. nullopt after a
// message when the source is missing or nothing is selected.
std::optional<std::string> TsvExportBytes(Session& session, Host& host, const std::string& sourcePath);

}  // namespace quillset::exports
