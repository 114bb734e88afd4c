#pragma once
// Whether any of a set of byte strings occurs in a text, in one pass over the
// text whatever the size of the set: a selection of every keyword of a large
// file is tested against every header line, and trying the keywords one by
// one would make that quadratic.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillset::selection {

class SubstringSet {
public:
    explicit SubstringSet(const std::vector<std::string_view>& patterns);

    // True when some pattern occurs in `text` (exact bytes); an empty
    // pattern occurs in every text.
    bool OccursIn(std::string_view text) const;

private:
    std::uint32_t Child(std::uint32_t node, unsigned char byte) const;  // 0: none

    struct Node {
        std::uint32_t fail = 0;  // longest proper suffix that is also in the trie
        bool hit = false;        // a pattern ends here or at a suffix of it
    };
    std::vector<Node> nodes_;              // node 0 is the root
    std::uint32_t root_[256] = {};         // the root's moves, looked up on most bytes
    std::unordered_map<std::uint64_t, std::uint32_t> moves_;  // (node << 8 | byte) -> child
};

}  // namespace quillset::selection
