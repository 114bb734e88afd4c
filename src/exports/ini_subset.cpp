#include "exports/ini_subset.h"

#include <string_view>
#include <unordered_map>

#include "exports/output_lines.h"
#include "model/definition_blocks.h"
#include "model/source_model.h"
#include "platform/text_file.h"
#include "selection/keywords.h"
#include "session.h"

namespace quillset::exports {

bool CollectListedBlocks(Session& session, Host& host) {
    const model::Lines& lines = session.source.workingLines;
    model::Lines selectedHeaders(1);
    if (session.keywords.selected.empty()) {
        session.selectedHeaders = std::move(selectedHeaders);
        host.Inform(selection::kEmptySelectionMessage);
        return false;
    }
    // Where each header line stands, every occurrence in order: one pass, so
    // a long header list does not rescan the lines once per row.
    std::unordered_map<std::string_view, std::vector<std::size_t>> positions;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (model::IsHeaderLine(lines[i])) positions[lines[i]].push_back(i);
    }
    const auto& rows = session.headerList.rows;
    AppendAllOrNothing(session.output, [&] {
        for (const std::size_t r : session.headerList.DisplayOrder()) {
            const auto found = positions.find(rows[r].header);
            if (found == positions.end() || rows[r].occurrence >= found->second.size()) continue;
            const std::size_t header = found->second[rows[r].occurrence];
            selectedHeaders.push_back(lines[header]);
            const std::size_t end = model::WorkingBlockEnd(session.source, header);
            for (std::size_t i = header; i < end; ++i) session.output.Append(std::string(lines[i]));
        }
    });
    session.selectedHeaders = std::move(selectedHeaders);
    return true;
}

bool CollectFromSource(Session& session, Host& host, const std::string& sourcePath,
                       bool* collected) {
    if (!platform::FileExists(sourcePath)) {
        host.Inform(selection::kInvalidSourceMessage);
        return false;
    }
    *collected = CollectListedBlocks(session, host);
    return true;
}

namespace {

// The export up to its hand-off. False when the source is missing.
bool CollectIniSubset(Session& session, Host& host, const std::string& sourcePath, bool* collected) {
    if (!CollectFromSource(session, host, sourcePath, collected)) return false;
    session.outputKind = 0;
    return true;
}

}  // namespace

bool ExportIniSubset(Session& session, Host& host, SettingsStore& settings,
                     const std::string& sourcePath) {
    bool collected = false;
    if (!CollectIniSubset(session, host, sourcePath, &collected)) return false;
    // Even with nothing selected the window shows what the output already held.
    ShowResults(session, host, settings, sourcePath);
    return true;
}

std::optional<std::string> IniSubsetBytes(Session& session, Host& host, const std::string& sourcePath) {
    bool collected = false;
    if (!CollectIniSubset(session, host, sourcePath, &collected) || !collected) return std::nullopt;
    return RenderOutput(session.output);
}

}  // namespace quillset::exports
