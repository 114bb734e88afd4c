#include "resize/text_resizer.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "model/definition_blocks.h"
#include "model/output_lines.h"
#include "platform/text_file.h"
#include "selection/keywords.h"
#include "selection/pattern_set.h"

namespace quillset::resize {

namespace {

constexpr std::string_view kTextSymbology = "TextSymbology";

}  // namespace

char DelimiterFor(std::string_view line, bool pipe) {
    const bool bar = pipe && !line.empty() && line.find(',') == std::string_view::npos &&
                     line.find('|') != std::string_view::npos;
    return bar ? '|' : ',';
}

std::string ResizeTextLine(std::string_view line, const ResizeValues& values, bool pipe) {
    if (line.empty()) return std::string();
    const char d = DelimiterFor(line, pipe);
    // at[k] is the position of the (k + 5)th delimiter.
    std::size_t at[4] = {};
    std::size_t pos = std::string_view::npos;
    for (int n = 1; n <= 8; ++n) {
        pos = line.find(d, pos == std::string_view::npos ? 0 : pos + 1);
        if (pos == std::string_view::npos) return std::string(line);
        if (n >= 5) at[n - 5] = pos;
    }
    auto field = [&](int k) { return line.substr(at[k] + 1, at[k + 1] - at[k] - 1); };
    std::string out(line.substr(0, at[0] + 1));
    out += values.doHeight ? ValueText(values.height) : std::string(field(0));
    out += d;
    out += values.doWidth ? ValueText(values.width) : std::string(field(1));
    out += d;
    out += values.doSpacing ? ValueText(values.spacing) : std::string(field(2));
    out += d;
    out += line.substr(at[3] + 1);
    return out;
}

std::string ValueText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

std::optional<float> ReadValue(std::string_view text, std::string_view decimalPoint) {
    std::string plain(model::Trim(text));
    if (!decimalPoint.empty() && decimalPoint != ".") {
        for (std::size_t at = plain.find(decimalPoint); at != std::string::npos;
             at = plain.find(decimalPoint, at + 1))
            plain.replace(at, decimalPoint.size(), ".");
    }
    const char* first = plain.data();
    const char* last = first + plain.size();
    if (first != last && *first == '+') ++first;
    float value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<ResizeValues> ReadValues(const ResizeSettings& settings, std::string* message) {
    ResizeValues values;
    struct Box {
        const SizeSetting& setting;
        std::string_view caption;
        bool& on;
        float& value;
    };
    for (const Box& box : {Box{settings.height, kHeightCaption, values.doHeight, values.height},
                           Box{settings.width, kWidthCaption, values.doWidth, values.width},
                           Box{settings.spacing, kSpacingCaption, values.doSpacing, values.spacing}}) {
        const std::optional<float> value = ReadValue(box.setting.text, settings.decimalPoint);
        if (!value) {
            if (message) {
                *message = "\"" + box.setting.text + "\" in the " + std::string(box.caption) +
                           " box is not a number. Nothing was resized.";
            }
            return std::nullopt;
        }
        box.on = box.setting.on;
        box.value = *value;
    }
    return values;
}

ResizeStatus ResizeText(const model::SourceModel& source, const model::Lines& selectedKeywords,
                        model::OutputLines& output, Host& host, const ResizeSettings& settings,
                        bool previewOnly, std::vector<std::string>* preview) {
    if (preview) preview->clear();
    if (selectedKeywords.empty()) {
        host.Inform(selection::kEmptySelectionMessage);
        return ResizeStatus::NoKeyword;
    }
    const selection::PatternSet keywords(selectedKeywords);
    const auto& lines = source.workingLines;
    const auto& closings = source.workingClosings;
    // A box that holds no number takes back what was appended, so the output
    // lines stay as they were.
    const std::int32_t before = output.Count();
    ResizeStatus status = ResizeStatus::Done;
    std::optional<ResizeValues> values;
    std::size_t nextClosing = 0;
    bool inMatch = false;
    model::AppendAllOrNothing(output, [&] {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view line = lines[i];
            // A category's closing entry ends its last block, so the lines
            // before the first header that follow it never join that block.
            while (nextClosing < closings.size() && closings[nextClosing] < i) ++nextClosing;
            if (nextClosing < closings.size() && closings[nextClosing] == i) inMatch = false;

            if (model::IsHeaderLine(line)) {
                if (!previewOnly) output.Append(line, source.bytes);
                inMatch = keywords.OccursIn(line);
                if (inMatch && preview) {
                    preview->emplace_back("  ");
                    preview->emplace_back(line);
                }
            } else if (inMatch && line.find(kTextSymbology) != std::string_view::npos) {
                if (previewOnly) {
                    if (preview) preview->emplace_back(line);
                    continue;
                }
                if (!values) {
                    std::string message;
                    values = ReadValues(settings, &message);
                    if (!values) {
                        host.Inform(message);
                        status = ResizeStatus::NotANumber;
                        return;
                    }
                }
                output.Append(ResizeTextLine(line, *values, settings.pipe));
            } else if (!previewOnly) {
                output.Append(line, source.bytes);
            }
        }
    });
    if (status != ResizeStatus::Done) output.TruncateTo(before);
    return status;
}

}  // namespace quillset::resize
