#include "model/output_lines.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillset::model {

void OutputLines::Store(std::string_view line) {
    if (count_ == INT32_MAX) throw std::length_error("too many output lines");
    const std::size_t at = static_cast<std::size_t>(count_ - base_);
    if (at % kViewsPerBlock == 0 && at / kViewsPerBlock == views_.size())
        views_.push_back(std::make_unique_for_overwrite<std::string_view[]>(kViewsPerBlock));
    views_[at / kViewsPerBlock][at % kViewsPerBlock] = line;
    ++count_;
}

std::string_view OutputLines::Copy(std::string_view line) {
    if (line.size() > room_) {
        // A line longer than a block gets one of its own, and the room left
        // in the current block stays for the lines after it.
        const std::size_t size = std::max(line.size(), kBytesPerBlock);
        bytes_.reserve(bytes_.size() + 1);
        auto block = std::make_unique_for_overwrite<char[]>(size);
        char* const data = block.get();
        if (size > kBytesPerBlock) {
            bytes_.insert(bytes_.end() - (bytes_.empty() ? 0 : 1), std::move(block));
            std::memcpy(data, line.data(), line.size());
            return {data, line.size()};
        }
        bytes_.push_back(std::move(block));
        free_ = data;
        room_ = size;
    }
    std::memcpy(free_, line.data(), line.size());
    const std::string_view copy(free_, line.size());
    free_ += line.size();
    room_ -= line.size();
    return copy;
}

void OutputLines::Append(std::string_view line) {
    // Reserved first, so a failure leaves the array as it was.
    const std::size_t at = static_cast<std::size_t>(count_ - base_);
    if (at % kViewsPerBlock == 0) views_.reserve(at / kViewsPerBlock + 1);
    Store(line.empty() ? std::string_view() : Copy(line));
}

void OutputLines::Append(std::string_view line, const std::shared_ptr<const std::string>& holder) {
    const bool within = holder && !line.empty() && line.data() >= holder->data() &&
                        line.data() + line.size() <= holder->data() + holder->size();
    if (!within) return Append(line);
    // Lines come from one or two files at a time (the source, the test
    // file), so the last few holders are all there is to look through.
    if (std::find(holders_.rbegin(), holders_.rend(), holder) == holders_.rend()) holders_.push_back(holder);
    const std::size_t at = static_cast<std::size_t>(count_ - base_);
    if (at % kViewsPerBlock == 0) views_.reserve(at / kViewsPerBlock + 1);
    Store(line);
}

void OutputLines::Clear() noexcept {
    views_.clear();
    bytes_.clear();
    holders_.clear();
    free_ = nullptr;
    room_ = 0;
    base_ = count_;
}

void OutputLines::TruncateTo(std::int32_t count) noexcept {
    count = std::clamp(count, 0, count_);
    if (count < base_) base_ = count;
    count_ = count;
    const std::size_t stored = static_cast<std::size_t>(count_ - base_);
    views_.resize((stored + kViewsPerBlock - 1) / kViewsPerBlock);
}

std::string_view OutputLines::operator[](std::int32_t i) const {
    if (i < base_) return {};
    const std::size_t at = static_cast<std::size_t>(i - base_);
    return views_[at / kViewsPerBlock][at % kViewsPerBlock];
}

std::vector<std::string> OutputLines::Lines() const {
    std::vector<std::string> lines(static_cast<std::size_t>(base_));
    lines.reserve(static_cast<std::size_t>(count_));
    ForEachLine([&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

void RenderOutput(const OutputLines& output, const platform::ByteSink& put) {
    // Lines emptied by Clear() lead the array, so they are dropped anyway.
    bool previousEmpty = true;
    output.ForEachLine([&](std::string_view line) {
        if (!line.empty()) {
            put(line);
            put("\r\n");
        } else if (!previousEmpty) {
            put("\r\n");
        }
        previousEmpty = line.empty();
    });
    if (!previousEmpty) put("\r\n");
}

std::string RenderOutput(const OutputLines& output) {
    std::size_t size = 0;
    RenderOutput(output, [&](std::string_view piece) { size += piece.size(); });
    std::string bytes;
    bytes.reserve(size);
    RenderOutput(output, [&](std::string_view piece) { bytes += piece; });
    return bytes;
}

platform::ByteSource RenderedOutput(const OutputLines& output) {
    return [&output](const platform::ByteSink& put) { RenderOutput(output, put); };
}

std::string AlreadyExistsMessage(std::string_view path) {
    return std::string(path) + " already exists!  Please Select a different file name.";
}

}  // namespace quillset::model
