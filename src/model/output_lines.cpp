#include "model/output_lines.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillset::model {

std::uint64_t OutputLines::Ref(Block& block, std::string_view line, const char* base) {
    if (line.empty()) return 0;
    if (line.size() <= kLongest) {
        const auto at = reinterpret_cast<std::uintptr_t>(line.data());
        const auto ref = [&](unsigned slot, std::uintptr_t offset) {
            return std::uint64_t{line.size()} << 36 | std::uint64_t{slot} << 32 | offset;
        };
        for (unsigned slot = 0; slot < block.used; ++slot) {
            const auto start = reinterpret_cast<std::uintptr_t>(block.bases[slot]);
            if (at >= start && at - start <= UINT32_MAX) return ref(slot, at - start);
        }
        if (block.used < kBases) {
            const auto from = reinterpret_cast<std::uintptr_t>(base);
            if (!base || at < from || at - from > UINT32_MAX) base = line.data();
            block.bases[block.used] = base;
            return ref(block.used++, at - reinterpret_cast<std::uintptr_t>(base));
        }
    }
    if (long_.size() > UINT32_MAX) throw std::length_error("too many long output lines");
    long_.push_back(line);
    return std::uint64_t{kLong} << 32 | (long_.size() - 1);
}

void OutputLines::Store(std::string_view line, const char* base) {
    if (count_ == INT32_MAX) throw std::length_error("too many output lines");
    const std::size_t at = static_cast<std::size_t>(count_ - base_);
    // A failure to add a block leaves the array as it was: push_back either
    // completes or changes nothing.
    if (at % kLinesPerBlock == 0 && at / kLinesPerBlock == blocks_.size())
        blocks_.push_back({std::make_unique_for_overwrite<std::uint64_t[]>(kLinesPerBlock)});
    Block& block = blocks_[at / kLinesPerBlock];
    block.refs[at % kLinesPerBlock] = Ref(block, line, base);
    ++count_;
}

std::pair<std::string_view, const char*> OutputLines::Copy(std::string_view line) {
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
            return {{data, line.size()}, data};
        }
        bytes_.push_back(std::move(block));
        free_ = data;
        freeBlock_ = data;
        room_ = size;
    }
    std::memcpy(free_, line.data(), line.size());
    const std::string_view copy(free_, line.size());
    free_ += line.size();
    room_ -= line.size();
    return {copy, freeBlock_};
}

void OutputLines::Append(std::string_view line) {
    if (line.empty()) return Store({}, nullptr);
    const auto [copy, block] = Copy(line);
    Store(copy, block);
}

void OutputLines::Append(std::string_view line, const std::shared_ptr<const std::string>& holder) {
    const bool within = holder && !line.empty() && line.data() >= holder->data() &&
                        line.data() + line.size() <= holder->data() + holder->size();
    if (!within) return Append(line);
    // Lines come from one or two files at a time (the source, the test
    // file), so the last few holders are all there is to look through.
    if (std::find(holders_.rbegin(), holders_.rend(), holder) == holders_.rend()) holders_.push_back(holder);
    Store(line, holder->data());
}

void OutputLines::Clear() noexcept {
    blocks_.clear();
    long_.clear();
    bytes_.clear();
    holders_.clear();
    free_ = nullptr;
    freeBlock_ = nullptr;
    room_ = 0;
    base_ = count_;
}

void OutputLines::TruncateTo(std::int32_t count) noexcept {
    count = std::clamp(count, 0, count_);
    if (count < base_) base_ = count;
    count_ = count;
    const std::size_t stored = static_cast<std::size_t>(count_ - base_);
    blocks_.resize((stored + kLinesPerBlock - 1) / kLinesPerBlock);
}

std::string_view OutputLines::operator[](std::int32_t i) const {
    if (i < base_) return {};
    const std::size_t at = static_cast<std::size_t>(i - base_);
    const Block& block = blocks_[at / kLinesPerBlock];
    return Line(block, block.refs[at % kLinesPerBlock]);
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
