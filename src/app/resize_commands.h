#pragma once
// The text resizer's commands: preview and resize of the selected blocks.

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/host.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "resize/text_resizer.h"

namespace quillset::app {

// "Preview Resize": the preview items, or nullopt when the source file is
// missing (after the message).
std::optional<std::vector<std::string>> PreviewResize(Session& session, Host& host,
                                                      const std::string& sourcePath,
                                                      const resize::ResizeSettings& settings);

// "Resize Text": resizes into the output lines and hands them to the Results
// window as INI text, also after the empty-selection message. False when the
// source file is missing (the window then puts the focus back into the
// source file name box).
bool ResizeTextCommand(Session& session, Host& host, SettingsStore& settings,
                       const std::string& sourcePath, const resize::ResizeSettings& values);

// For callers that keep output in memory (the script tool): the source
// check and the resize of ResizeTextCommand, as the bytes a save of the
// Results window would write. nullopt after a message when the source is
// missing, nothing is selected or a box holds no number.
std::optional<platform::ByteSource> ResizedTextBytes(Session& session, Host& host, const std::string& sourcePath,
                                                    const resize::ResizeSettings& settings);
// PreviewResize with its items as lines ended by CRLF.
std::optional<platform::ByteSource> PreviewBytes(Session& session, Host& host, const std::string& sourcePath,
                                                const resize::ResizeSettings& settings);

}  // namespace quillset::app
