#include "selection/substring_set.h"

#include <algorithm>
#include <numeric>

namespace quillset::selection {

namespace {

std::uint64_t Key(std::uint32_t node, unsigned char byte) {
    return (static_cast<std::uint64_t>(node) << 8) | byte;
}

}  // namespace

SubstringSet::SubstringSet(const std::vector<std::string_view>& patterns) {
    // Trie of the patterns, remembering how each node was reached.
    struct Edge {
        std::uint32_t parent = 0;
        unsigned char byte = 0;
        std::uint32_t depth = 0;
    };
    std::vector<Edge> edges(1);
    nodes_.resize(1);
    for (const std::string_view pattern : patterns) {
        std::uint32_t node = 0;
        for (const char ch : pattern) {
            const auto byte = static_cast<unsigned char>(ch);
            std::uint32_t next = Child(node, byte);
            if (next == 0) {
                next = static_cast<std::uint32_t>(nodes_.size());
                nodes_.emplace_back();
                edges.push_back({node, byte, edges[node].depth + 1});
                if (node == 0)
                    root_[byte] = next;
                else
                    moves_.emplace(Key(node, byte), next);
            }
            node = next;
        }
        nodes_[node].hit = true;
    }

    // Failure links in order of depth, so a node's link target (shallower)
    // is complete before the node itself.
    std::vector<std::uint32_t> order(nodes_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return edges[a].depth < edges[b].depth; });
    for (const std::uint32_t node : order) {
        const Edge& e = edges[node];
        if (e.depth <= 1) continue;  // the root and its children fall back to the root
        std::uint32_t f = nodes_[e.parent].fail;
        while (f != 0 && Child(f, e.byte) == 0) f = nodes_[f].fail;
        nodes_[node].fail = Child(f, e.byte);
        nodes_[node].hit = nodes_[node].hit || nodes_[nodes_[node].fail].hit;
    }
}

std::uint32_t SubstringSet::Child(std::uint32_t node, unsigned char byte) const {
    if (node == 0) return root_[byte];
    const auto found = moves_.find(Key(node, byte));
    return found == moves_.end() ? 0 : found->second;
}

bool SubstringSet::OccursIn(std::string_view text) const {
    if (nodes_[0].hit) return true;
    std::uint32_t state = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        std::uint32_t next = Child(state, byte);
        while (next == 0 && state != 0) {
            state = nodes_[state].fail;
            next = Child(state, byte);
        }
        state = next;
        if (nodes_[state].hit) return true;
    }
    return false;
}

}  // namespace quillset::selection
