#include "exports/output_lines.h"

#include <algorithm>

#include "platform/text_file.h"

namespace quillset::exports {

namespace {

constexpr std::size_t kInitialSlots = 501;

}  // namespace

void OutputLines::Append(std::string line) {
    if (count_ < 1) {
        count_ = 0;
        if (slots_.size() < kInitialSlots) slots_.resize(kInitialSlots);
    }
    const auto highest = static_cast<std::int64_t>(slots_.size()) - 1;
    if (highest < static_cast<std::int64_t>(count_) + 1)
        slots_.resize(static_cast<std::size_t>(count_) * 2 + 1);
    slots_[static_cast<std::size_t>(count_)] = std::move(line);
    ++count_;
}

void OutputLines::TruncateTo(std::int32_t count) noexcept {
    for (std::int32_t i = std::max(count, 0); i < count_ && static_cast<std::size_t>(i) < slots_.size(); ++i)
        std::string().swap(slots_[static_cast<std::size_t>(i)]);
    count_ = std::min(count_, count);
}

void OutputLines::Clear() { slots_.assign(kInitialSlots, std::string()); }

std::vector<std::string> CollapsedLines(const std::vector<std::string>& slots) {
    std::vector<std::string> lines;
    bool previousEmpty = true;  // the first slot has none before it
    for (const auto& slot : slots) {
        if (!slot.empty() || !previousEmpty) lines.push_back(slot);
        previousEmpty = slot.empty();
    }
    return lines;
}

std::string RenderOutput(const OutputLines& output) { return platform::RenderLines(CollapsedLines(output.Slots())); }

std::string AlreadyExistsMessage(std::string_view path) {
    return std::string(path) + " already exists!  Please Select a different file name.";
}

}  // namespace quillset::exports
