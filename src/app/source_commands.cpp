#include "app/source_commands.h"

#include <utility>

#include "app/results.h"
#include "model/conversion.h"
#include "platform/text_file.h"

namespace quillset::app {

std::optional<std::string> PrepareConversionFile(Session& session, Host& host, SettingsStore& settings,
                                                 const std::string& sourcePath) {
    return CreateTempFile(session, host, settings, kConversionSection, kConversionDefault,
                                   sourcePath);
}

std::optional<std::vector<std::string>> ConvertToConversionFile(Session& session, Host& host,
                                                                SettingsStore& settings,
                                                                const std::string& sourcePath,
                                                                std::span<const std::string_view> lines,
                                                                model::SourceKind kind) {
    std::optional<std::vector<std::string>> converted = model::ConvertSourceLines(lines, kind, host);
    if (!converted) return std::nullopt;
    const std::optional<std::string> path = PrepareConversionFile(session, host, settings, sourcePath);
    if (!path) return std::nullopt;
    if (const platform::Status written = platform::WriteTextLines(*path, *converted); !written) {
        host.Inform("Unable to write the conversion file " + *path + ": " + written.error);
        return std::nullopt;
    }
    return converted;
}

namespace {

// Without a settings store the conversion stays in memory.
bool Process(Session& session, Host& host, SettingsStore* settings, const std::string& path,
             model::SourceKind kind, const model::CategoryChoice& choice,
             const model::CountProgress& progress) {
    model::Converter convert;
    if (settings) {
        convert = [&](std::span<const std::string_view> lines) {
            return ConvertToConversionFile(session, host, *settings, path, lines, kind);
        };
    }
    // Built beside the model in use and moved in only when complete, so a
    // load that fails halfway (memory running out) leaves the session, its
    // lists and the header list as they were.
    std::optional<model::SourceModel> loaded = model::LoadSourceFile(host, path, kind, choice, convert, progress);
    if (!loaded) return false;
    model::Lines available = model::FillAvailableKeywords(*loaded);
    model::Lines selectedHeaders(1);
    std::string sourceFileName = path;
    // Moves only from here on: nothing left to fail. The old lists look into
    // the old bytes, so they go with them; the header list keeps its sort.
    selection::Selection& chosen = session.selection;
    chosen.keywords.available = std::move(available);
    chosen.keywords.selected = model::Lines();
    chosen.headerList.rows = std::vector<selection::HeaderRow>();
    chosen.selectedHeaders = std::move(selectedHeaders);
    session.source = std::move(*loaded);
    session.sourceFileName = std::move(sourceFileName);
    return true;
}

}  // namespace

bool ProcessSource(Session& session, Host& host, SettingsStore& settings, const std::string& path,
                   model::SourceKind kind, const model::CategoryChoice& choice,
                   const model::CountProgress& progress) {
    return Process(session, host, &settings, path, kind, choice, progress);
}

bool ProcessSourceInMemory(Session& session, Host& host, const std::string& path, model::SourceKind kind,
                           const model::CategoryChoice& choice, const model::CountProgress& progress) {
    return Process(session, host, nullptr, path, kind, choice, progress);
}

std::optional<model::SourceCounts> CountSourceFile(Host& host, const std::string& path) {
    const model::SourceKind kind = model::SourceKindOf(path);
    if (kind == model::SourceKind::Ini) return model::CountFile(host, path);
    Session session;
    if (!ProcessSourceInMemory(session, host, path, kind, model::CategoryChoice{})) return std::nullopt;
    return session.source.counts;
}

}  // namespace quillset::app
