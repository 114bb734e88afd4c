// The text resizer: the first three lines are the three boxes' texts, the
// rest the source, every block selected; preview and resize both run.

#include "fuzz_input.h"
#include "model/source_model.h"
#include "resize/text_resizer.h"
#include "session.h"
#include "support/fake_host.h"

using namespace quillset;

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
    s.keywords.selected = model::FillAvailableKeywords(s.source);

    std::vector<std::string> preview;
    resize::ResizeText(s, host, settings, true, &preview);
    const auto status = resize::ResizeText(s, host, settings, false);
    if (status == resize::ResizeStatus::Done)
        fuzz::Require(static_cast<std::size_t>(s.output.Count()) >= s.source.workingLines.size() - 1);

    // Every line on its own, as a text symbology line would be rewritten.
    std::string message;
    if (const auto values = resize::ReadValues(settings, &message))
        for (const auto line : lines) {
            const std::string out = resize::ResizeTextLine(line, *values, settings.pipe);
            fuzz::Require(!out.empty() || line.empty());
        }
    return 0;
}
