#pragma once
// Which header lines contain which: for every part, the first container that
// holds it as an exact substring, and for every container whether it holds
// any part at all. Empty texts never contain and are never contained.

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace quillset::compare {

inline constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct Containment {
    std::vector<std::size_t> firstContainer;  // per part: lowest container index, or kNone
    std::vector<bool> holdsAPart;             // per container
    bool operator==(const Containment&) const = default;
};

// True when both are non-empty and `part` occurs in `container`, exactly.
bool HeaderContains(std::string_view container, std::string_view part);

// One pass over the containers through the parts' pattern set: time
// linear in the total length of all texts.
Containment FindContainers(std::span<const std::string_view> containers,
                           std::span<const std::string_view> parts);

// The same answer by trying every container for every part.
Containment FindContainersPlain(std::span<const std::string_view> containers,
                                std::span<const std::string_view> parts);

}  // namespace quillset::compare
