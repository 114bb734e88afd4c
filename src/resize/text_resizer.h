#pragma once
// The text resizer: rewrites the text height, text width and line spacing
// fields of the text symbology lines in the selected blocks, and previews
// which lines that would touch.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/output_lines.h"
#include "model/source_model.h"
#include "platform/host.h"

namespace quillset::resize {

// One size field's check box and text box, as the tab holds them.
struct SizeSetting {
    bool on = true;
    std::string text;
};

struct ResizeSettings {
    SizeSetting height{true, "1.0"};
    SizeSetting width{true, "0.8"};
    SizeSetting spacing{true, "1"};
    bool pipe = false;  // "|"-delimited text definitions are split at "|"
    // The user's decimal separator, accepted in the boxes besides ".".
    std::string decimalPoint = ".";
};

// The switches and the values read from the three boxes.
struct ResizeValues {
    bool doHeight = true;
    float height = 1.0f;
    bool doWidth = true;
    float width = 0.8f;
    bool doSpacing = true;
    float spacing = 1.0f;
};

inline constexpr std::string_view kHeightCaption = "Text Height";
inline constexpr std::string_view kWidthCaption = "Text Width";
inline constexpr std::string_view kSpacingCaption = "Line Spacing";

// "|" when `pipe` is on and the line holds a "|" but no ","; else ",".
char DelimiterFor(std::string_view line, bool pipe);

// The line with fields 6, 7 and 8 (between the 5th and the 8th delimiter)
// replaced where their switch is on; the line unchanged when it has fewer
// than eight delimiters.
std::string ResizeTextLine(std::string_view line, const ResizeValues& values, bool pipe);

// A value as written into a preference line: at most seven significant
// digits, no trailing zeros, and always "." as the separator, whatever the
// locale, since a "," would split the field in two.
std::string ValueText(float value);

// A box's text as a single-precision number: blanks around it allowed, "."
// or `decimalPoint` as the separator, no digit grouping. nullopt when it is
// no finite number.
std::optional<float> ReadValue(std::string_view text, std::string_view decimalPoint);

// Reads all three boxes. nullopt with `message` naming the first box, by its
// caption, that holds no number, and quoting its text.
std::optional<ResizeValues> ReadValues(const ResizeSettings& settings, std::string* message);

enum class ResizeStatus { Done, NoKeyword, NotANumber };

// Walks the working lines. In preview mode fills `preview` with, for every
// block whose header line contains a Selected Keyword, two blanks, the
// header and the block's text symbology lines. Otherwise appends the whole
// working text to the output lines with those text symbology lines resized.
// NoKeyword and NotANumber come after a message; nothing is appended then.
ResizeStatus ResizeText(const model::SourceModel& source, const model::Lines& selectedKeywords,
                        model::OutputLines& output, Host& host, const ResizeSettings& settings,
                        bool previewOnly, std::vector<std::string>* preview = nullptr);

}  // namespace quillset::resize
