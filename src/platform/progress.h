#pragma once
// Long work tells the host how far it has got, and stops when the user asks:
// the meter throws Cancelled, which unwinds like memory running out, so
// every command that leaves the session as it was after a failed allocation
// leaves it so after a cancel too.

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace quillset {

// Thrown by ProgressMeter::At once the host says the user asked to stop.
struct Cancelled {};

class ProgressMeter {
public:
    // `total` units of work, reported about two hundred times at most.
    ProgressMeter(Host& host, std::string task, std::uint64_t total);
    // Tells the host the task is over, however it ended.
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // `done` units are done; throws Cancelled when the user asked to stop.
    void At(std::uint64_t done) {
        if (done >= next_) Report(done);
    }

private:
    void Report(std::uint64_t done);

    Host& host_;
    std::string task_;
    std::uint64_t total_;
    std::uint64_t step_;
    std::uint64_t next_ = 0;
};

}  // namespace quillset
