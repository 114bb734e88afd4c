#pragma once
// Collecting the blocks listed in the header list, and the INI subset export.

#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "settings_store.h"

namespace quillset {
struct Session;
}

namespace quillset::exports {

// Appends the block of each header-list row, in display order, from the
// working lines to the output lines and rewrites session.selectedHeaders in
// that order. A row whose header text occurs several times yields the
// occurrence it was listed for. Header positions are indexed once, so the
// cost is one pass over the working lines. False, after the message, when no
// keyword is selected.
bool CollectListedBlocks(Session& session, Host& host);

// Where every export of the listed blocks starts: the source check, then
// CollectListedBlocks (its result in *collected). False, after the message,
// when the source file is missing.
bool CollectFromSource(Session& session, Host& host, const std::string& sourcePath,
                       bool* collected);

// The INI subset as the bytes a save of the Results window would write, for
// callers that keep output in memory: the source check and the collection of
// ExportIniSubset, rendered by RenderOutput. nullopt after a message when the
// source is missing or nothing is selected.
std::optional<std::string> IniSubsetBytes(Session& session, Host& host, const std::string& sourcePath);

// "Export to Ini (subset)". False when the source file is missing (the
// window then puts the focus back into the source file name box).
bool ExportIniSubset(Session& session, Host& host, SettingsStore& settings,
                     const std::string& sourcePath);

}  // namespace quillset::exports
