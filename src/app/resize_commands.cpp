#include "app/resize_commands.h"

#include <utility>

#include "app/results.h"
#include "platform/text_file.h"

namespace quillset::app {

std::optional<std::vector<std::string>> PreviewResize(Session& session, Host& host,
                                                      const std::string& sourcePath,
                                                      const resize::ResizeSettings& settings) {
    if (!selection::SourceStillThere(host, sourcePath)) return std::nullopt;
    std::vector<std::string> preview;
    resize::ResizeText(session.source, session.selection.keywords.selected, session.output, host, settings, true,
                       &preview);
    return preview;
}

bool ResizeTextCommand(Session& session, Host& host, SettingsStore& settings,
                       const std::string& sourcePath, const resize::ResizeSettings& values) {
    if (!selection::SourceStillThere(host, sourcePath)) return false;
    if (resize::ResizeText(session.source, session.selection.keywords.selected, session.output, host, values,
                           false) == resize::ResizeStatus::NotANumber) return true;
    session.outputKind = 0;
    ShowResults(session, host, settings, sourcePath);
    return true;
}

std::optional<platform::ByteSource> ResizedTextBytes(Session& session, Host& host, const std::string& sourcePath,
                                                    const resize::ResizeSettings& settings) {
    if (!selection::SourceStillThere(host, sourcePath)) return std::nullopt;
    if (resize::ResizeText(session.source, session.selection.keywords.selected, session.output, host, settings,
                           false) != resize::ResizeStatus::Done) return std::nullopt;
    session.outputKind = 0;
    return model::RenderedOutput(session.output);
}

std::optional<platform::ByteSource> PreviewBytes(Session& session, Host& host, const std::string& sourcePath,
                                                const resize::ResizeSettings& settings) {
    std::optional<std::vector<std::string>> items = PreviewResize(session, host, sourcePath, settings);
    if (!items) return std::nullopt;
    return platform::SourceOfLines(std::move(*items));
}

}  // namespace quillset::app
