#include "app/export_commands.h"

#include <utility>
#include <vector>

#include "app/results.h"
#include "exports/csv_export.h"
#include "exports/ini_subset.h"
#include "exports/tsv_export.h"
#include "platform/text_file.h"

namespace quillset::app {

namespace {

enum OutputKind : std::int16_t { kIni = 0, kCsv = 1, kTsv = 2 };

// The table of the output lines, its messages told.
std::vector<std::string> ToldTable(const Session& session, Host& host) {
    exports::TsvExport table = [&] {
        ProgressMeter meter(host, "Making the TAB-separated table", static_cast<std::uint64_t>(session.output.Count()));
        return exports::TsvExportLines(session.output, &meter);
    }();
    for (const std::string& message : table.messages) host.Inform(message);
    return std::move(table.lines);
}

// An export button: the source check and the listed blocks collected, then
// `write`, which runs even with nothing selected, so the window shows what
// the output already held. False when the source file is missing.
template <class Write>
bool CollectThenWrite(Session& session, Host& host, const std::string& sourcePath, Write&& write) {
    // A conversion cancelled (or out of memory) takes the collected blocks
    // back with it.
    const std::int32_t count = session.output.Count();
    const std::int16_t kind = session.outputKind;
    bool collected = false;
    if (!CollectFromSource(session, host, sourcePath, &collected)) return false;
    try {
        write();
    } catch (...) {
        session.output.TruncateTo(count);
        session.outputKind = kind;
        throw;
    }
    return true;
}

std::vector<std::string> CsvLines(const Session& session, Host& host) {
    ProgressMeter meter(host, "Making the spreadsheet table", static_cast<std::uint64_t>(session.output.Count()));
    return exports::CsvExportLines(session.output, &meter);
}

// The listed blocks collected for an export kept in memory: false after a
// message when the source is missing or nothing is selected.
bool CollectedFromSource(Session& session, Host& host, const std::string& sourcePath) {
    bool collected = false;
    return CollectFromSource(session, host, sourcePath, &collected) && collected;
}

}  // namespace

bool CollectFromSource(Session& session, Host& host, const std::string& sourcePath, bool* collected) {
    if (!selection::SourceStillThere(host, sourcePath)) return false;
    *collected = exports::CollectListedBlocks(session.source, session.selection, session.output, host);
    return true;
}

bool ExportIniSubset(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath) {
    return CollectThenWrite(session, host, sourcePath, [&] {
        session.outputKind = kIni;
        ShowResults(session, host, settings, sourcePath);
    });
}

std::optional<platform::ByteSource> IniSubsetBytes(Session& session, Host& host, const std::string& sourcePath) {
    bool collected = false;
    if (!CollectFromSource(session, host, sourcePath, &collected)) return std::nullopt;
    session.outputKind = kIni;
    if (!collected) return std::nullopt;
    return model::RenderedOutput(session.output);
}

bool WriteCsvExport(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath) {
    const std::vector<std::string> lines = CsvLines(session, host);
    session.outputKind = kCsv;
    return HandOffLines(session, host, settings, lines, sourcePath);
}

bool ExportCsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath) {
    return CollectThenWrite(session, host, sourcePath, [&] { WriteCsvExport(session, host, settings, sourcePath); });
}

std::optional<platform::ByteSource> CsvExportBytes(Session& session, Host& host, const std::string& sourcePath) {
    if (!CollectedFromSource(session, host, sourcePath)) return std::nullopt;
    std::vector<std::string> lines = CsvLines(session, host);
    session.outputKind = kCsv;
    return platform::SourceOfLines(std::move(lines));
}

bool WriteTsvExport(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath) {
    const std::vector<std::string> lines = ToldTable(session, host);
    session.outputKind = kTsv;
    return HandOffLines(session, host, settings, lines, sourcePath);
}

bool ExportTsv(Session& session, Host& host, SettingsStore& settings, const std::string& sourcePath) {
    return CollectThenWrite(session, host, sourcePath, [&] { WriteTsvExport(session, host, settings, sourcePath); });
}

std::optional<platform::ByteSource> TsvExportBytes(Session& session, Host& host, const std::string& sourcePath) {
    if (!CollectedFromSource(session, host, sourcePath)) return std::nullopt;
    std::vector<std::string> lines = ToldTable(session, host);
    session.outputKind = kTsv;
    return platform::SourceOfLines(std::move(lines));
}

}  // namespace quillset::app
