#include "model/conversion.h"

#include "model/csv_import.h"
#include "model/tsv_import.h"
#include "platform/text_file.h"

namespace quillset::model {

std::optional<std::vector<std::string>> ConvertSourceLines(std::span<const std::string_view> lines,
                                                           SourceKind kind, Host& host) {
    switch (kind) {
        case SourceKind::Csv: return ConvertSpreadsheet(lines, host);
        case SourceKind::Tab: return WriteTabConversion(ReadTabSource(lines));
        case SourceKind::Ini: break;
    }
    return std::vector<std::string>(lines.begin(), lines.end());
}

std::optional<std::string> ConversionBytes(Host& host, const std::string& path) {
    const SourceKind kind = SourceKindOf(path);
    if (kind == SourceKind::Ini) {
        host.Inform(path + " is neither a spreadsheet (.csv) nor a TAB-separated (.txt) file.");
        return std::nullopt;
    }
    const auto read = platform::ReadTextLines(path);
    if (!read.ok) {
        host.Inform("Unable to read " + path + ": " + read.error);
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> converted = ConvertSourceLines(read.text.lines, kind, host);
    if (!converted) return std::nullopt;
    return platform::RenderLines(*converted);
}

}  // namespace quillset::model
