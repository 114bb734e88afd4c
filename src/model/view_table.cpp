#include "model/view_table.h"

#include <chrono>
#include <random>

namespace quillset::model {

namespace {

std::uint64_t Spread(std::uint64_t x) {  // splitmix64's finaliser
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

HashKeys DrawKeys() {
    // Where the system offers no entropy, the clock and the addresses the
    // loader chose still differ from run to run.
    std::uint64_t entropy = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    static const char here = 0;
    entropy ^= reinterpret_cast<std::uintptr_t>(&entropy) ^ (reinterpret_cast<std::uintptr_t>(&here) << 17);
    try {
        std::random_device device;
        entropy ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (...) {
    }
    const std::uint64_t a = Spread(entropy), b = Spread(a), c = Spread(b);
    return {a, b, c};
}

}  // namespace

const HashKeys kHashKeys = DrawKeys();

}  // namespace quillset::model
