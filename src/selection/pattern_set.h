#pragma once
// One multi-pattern search over exact bytes, for the keyword selection, the
// resizer's header test and the comparison's containment: a large selection
// is tested against every header line in one pass whatever its size, where
// trying the patterns one by one would be quadratic.
//
// The trie is numbered breadth first with every node's children adjacent and
// sorted by byte, so a node's edges are one slice of the labels. A node costs
// about 7.3 bytes (label, a 16-bit child offset under a base per 64 nodes,
// failure link, two bits), so even a 100 MB header line as one pattern stays
// within 8 bytes per pattern byte.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quillset::selection {

class PatternSet {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit PatternSet(std::span<const std::string_view> patterns);

    // True when some pattern occurs in `text`; an empty pattern occurs in
    // every text.
    bool OccursIn(std::string_view text) const;

    // Per pattern, the index of the first of `texts` that holds it, or kNone
    // (an empty pattern is never held); `holdsAny` gets, per text, whether it
    // holds a non-empty pattern. Time linear in the bytes of all texts and
    // patterns.
    std::vector<std::size_t> FirstHolders(std::span<const std::string_view> texts,
                                          std::vector<bool>& holdsAny) const;

    std::size_t Nodes() const { return label_.size(); }

private:
    static constexpr std::uint32_t kNoNode = UINT32_MAX;

    std::uint32_t FirstChild(std::uint32_t node) const {
        return childBase_[node >> 6] + childOffset_[node];
    }
    // The child of `node` by `byte`, or kNoNode; `end` is where the children
    // of `node` end.
    std::uint32_t Child(std::uint32_t node, unsigned char byte, std::uint32_t end) const;
    std::uint32_t Child(std::uint32_t node, unsigned char byte) const {
        return node == 0 ? root_[byte] : Child(node, byte, FirstChild(node + 1));
    }
    std::uint32_t Next(std::uint32_t state, unsigned char byte) const;
    void PushFirstChild(std::uint32_t first);
    void Build(std::span<const std::string_view> patterns);

    std::vector<unsigned char> label_;        // the byte leading into each node
    std::vector<std::uint32_t> childBase_;    // per 64 nodes: the first child of the first
    std::vector<std::uint16_t> childOffset_;  // per node (and one past): from its block's base
    std::vector<std::uint32_t> fail_;         // longest proper suffix that is a node
    std::vector<bool> terminal_;              // a pattern ends here
    std::vector<bool> hit_;                   // a pattern ends here or at a suffix
    std::vector<std::uint32_t> patternNode_;  // per pattern; kNoNode for an empty one
    std::uint32_t root_[256];                 // the root's moves, looked up on most bytes
    bool hasEmpty_ = false;
};

}  // namespace quillset::selection
