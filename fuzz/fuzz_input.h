#pragma once
// What every fuzz target shares: the input held and split into lines exactly
// as a file would be read, and a trap that makes a broken invariant a finding.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace quillset::fuzz {

// The first byte steers the target (check boxes, answers); the rest is the file.
struct FuzzInput {
    std::uint8_t control = 0;
    platform::TextLines text;  // the file's bytes once, its lines as views
};

inline FuzzInput Split(const std::uint8_t* data, std::size_t size) {
    FuzzInput in;
    if (size == 0) return in;
    in.control = data[0];
    in.text = platform::SplitText(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    return in;
}

// The lines as owned strings, where a converter takes output slots.
inline std::vector<std::string> Copies(const std::vector<std::string_view>& lines) {
    return {lines.begin(), lines.end()};
}

inline void Require(bool holds) {
    if (!holds) std::abort();
}

// An oracle: a broken one names itself before the trap, so a finding says
// which property failed without a debugger.
#define FUZZ_CHECK(cond, what)                                                    \
    do {                                                                          \
        if (!(cond)) {                                                            \
            std::fprintf(stderr, "oracle failed at %s:%d: %s\n", __FILE__, __LINE__, \
                         what);                                                   \
            __builtin_trap();                                                     \
        }                                                                         \
    } while (0)

}  // namespace quillset::fuzz
