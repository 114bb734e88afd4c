// The text resizer: the first three lines are the three boxes' texts, the
// rest the source; control bits 5-7 pick every n-th keyword (all for 0);
// preview and resize both run.

#include "app/session.h"
#include "fuzz_input.h"
#include "model/source_model.h"
#include "resize/text_resizer.h"
#include "support/fake_host.h"

using namespace quillset;

namespace {

constexpr std::string_view kTextSymbology = "TextSymbology";

// The positions of the first `count` delimiters (fewer when the line has fewer).
std::vector<std::size_t> Delimiters(std::string_view line, char d, std::size_t count) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < line.size() && at.size() < count; ++i)
        if (line[i] == d) at.push_back(i);
    return at;
}

// A resized line differs from its source only in fields 6 to 8, and each of
// those is the source's field or the value written for its box.
void CheckResizedLine(std::string_view line, std::string_view out, const resize::ResizeValues& v, bool pipe) {
    const char d = resize::DelimiterFor(line, pipe);
    const auto at = Delimiters(line, d, 8);
    if (at.size() < 8) {
        FUZZ_CHECK(out == line, "a line of fewer than eight fields stays as it is");
        return;
    }
    const auto got = Delimiters(out, d, 8);
    FUZZ_CHECK(got.size() == 8, "a resized line keeps its delimiters");
    FUZZ_CHECK(out.substr(0, got[4] + 1) == line.substr(0, at[4] + 1), "fields 1-5 unchanged");
    FUZZ_CHECK(out.substr(got[7]) == line.substr(at[7]), "fields after the 8th unchanged");
    const bool on[3] = {v.doHeight, v.doWidth, v.doSpacing};
    const float value[3] = {v.height, v.width, v.spacing};
    for (int k = 0; k < 3; ++k) {
        const std::string_view before = line.substr(at[4 + k] + 1, at[5 + k] - at[4 + k] - 1);
        const std::string_view after = out.substr(got[4 + k] + 1, got[5 + k] - got[4 + k] - 1);
        FUZZ_CHECK(after == (on[k] ? std::string_view(resize::ValueText(value[k])) : before),
                   "a size field is its box's value or unchanged");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in = fuzz::Split(data, size);
    auto& lines = in.text.lines;
    const std::uint8_t c = in.control;
    resize::ResizeSettings settings;
    settings.pipe = (c & 1) != 0;
    settings.decimalPoint = (c & 2) ? "," : ".";
    resize::SizeSetting* boxes[] = {&settings.height, &settings.width, &settings.spacing};
    for (int k = 0; k < 3; ++k) {
        boxes[k]->on = ((c >> (2 + k)) & 1) != 0;
        if (!lines.empty()) {
            boxes[k]->text = std::string(lines.front());
            lines.erase(lines.begin());
        }
    }

    Session s;
    testing::FakeHost host;
    model::LoadLines(s.source, in.text);
    model::BuildWorkingLines(s.source, {});
    const model::Lines keywords = model::FillAvailableKeywords(s.source);
    const std::size_t step = 1 + (c >> 5);
    for (std::size_t k = 0; k < keywords.size(); ++k)
        if (step == 1 || k % step == 0) s.selection.keywords.selected.push_back(keywords[k]);

    std::vector<std::string> preview;
    resize::ResizeText(s.source, s.selection.keywords.selected, s.output, host, settings, true, &preview);
    const auto status = resize::ResizeText(s.source, s.selection.keywords.selected, s.output, host, settings, false);
    std::string message;
    const auto values = resize::ReadValues(settings, &message);
    if (status == resize::ResizeStatus::Done) {
        // Line for line: outside the blocks whose header holds a selected
        // keyword every line is the source's, byte for byte; inside, only the
        // text symbology lines change.
        const auto& working = s.source.workingLines;
        FUZZ_CHECK(static_cast<std::size_t>(s.output.Count()) == working.size(), "one output line per working line");
        std::vector<bool> inside(working.size(), false);
        for (std::size_t i = 0; i < working.size(); ++i) {
            if (!model::IsHeaderLine(working[i])) continue;
            bool selected = false;
            for (const std::string_view k : s.selection.keywords.selected) selected |= working[i].find(k) != std::string_view::npos;
            if (!selected) continue;
            const std::size_t end = model::WorkingBlockEnd(s.source, i);
            for (std::size_t j = i + 1; j < end; ++j) inside[j] = true;
        }
        for (std::size_t i = 0; i < working.size(); ++i) {
            const std::string_view out = s.output[i];
            if (!inside[i] || working[i].find(kTextSymbology) == std::string_view::npos) {
                FUZZ_CHECK(out == working[i], "lines outside the selected blocks are unchanged");
                continue;
            }
            FUZZ_CHECK(values.has_value(), "a resize reads the boxes");
            CheckResizedLine(working[i], out, *values, settings.pipe);
        }
    }

    // Every line on its own, as a text symbology line would be rewritten.
    if (values)
        for (const auto line : lines) CheckResizedLine(line, resize::ResizeTextLine(line, *values, settings.pipe),
                                                       *values, settings.pipe);
    return 0;
}
