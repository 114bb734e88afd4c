#include "platform/progress.h"

#include <algorithm>
#include <utility>

namespace quillset {

ProgressMeter::ProgressMeter(Host& host, std::string task, std::uint64_t total)
    : host_(host), task_(std::move(task)), total_(std::max<std::uint64_t>(total, 1)),
      step_(std::max<std::uint64_t>(total_ / 200, 1)) {}

ProgressMeter::~ProgressMeter() { host_.Progress(task_, total_, total_); }

void ProgressMeter::Report(std::uint64_t done) {
    next_ = done + step_;
    if (!host_.Progress(task_, std::min(done, total_ - 1), total_)) throw Cancelled{};
}

}  // namespace quillset
