#include "selection/pattern_set.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

#include "model/prefix_sort.h"

namespace quillset::selection {

namespace {

// The non-empty patterns' indexes in byte order: headers share long
// beginnings, which a byte comparison would walk every time.
std::vector<std::uint32_t> SortedPatterns(std::span<const std::string_view> patterns) {
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 0; i < patterns.size(); ++i)
        if (!patterns[i].empty()) order.push_back(i);
    model::SortByPrefix(order, [&](std::uint32_t i) { return patterns[i]; }, false, std::less<std::string_view>());
    return order;
}

}  // namespace

PatternSet::PatternSet(std::span<const std::string_view> patterns) {
    patternNode_.assign(patterns.size(), kNoNode);
    std::fill(std::begin(root_), std::end(root_), kNoNode);
    Build(patterns);
}

void PatternSet::PushFirstChild(std::uint32_t first) {
    if (childOffset_.size() % 64 == 0) childBase_.push_back(first);
    childOffset_.push_back(static_cast<std::uint16_t>(first - childBase_.back()));
}

std::uint32_t PatternSet::Child(std::uint32_t node, unsigned char byte, std::uint32_t end) const {
    const auto first = label_.begin() + FirstChild(node);
    const auto last = label_.begin() + end;
    const auto it = std::lower_bound(first, last, byte);
    if (it == last || *it != byte) return kNoNode;
    return static_cast<std::uint32_t>(it - label_.begin());
}

std::uint32_t PatternSet::Next(std::uint32_t state, unsigned char byte) const {
    std::uint32_t next;
    while ((next = Child(state, byte)) == kNoNode && state != 0) state = fail_[state];
    return next == kNoNode ? 0 : next;
}

// Level by level: the sorted patterns that share a prefix of length d + 1
// stand together, so each run of them becomes one node at depth d + 1, and
// the nodes of a level come out in prefix order. A new node's failure link
// leads to a shallower node, whose edges are all known by then, so no parent
// links are kept.
void PatternSet::Build(std::span<const std::string_view> patterns) {
    const std::vector<std::uint32_t> order = SortedPatterns(patterns);
    hasEmpty_ = order.size() < patterns.size();
    label_.push_back(0);
    fail_.push_back(0);
    terminal_.push_back(false);
    std::vector<std::uint32_t> at(order.size(), 0);  // each live pattern's node at this depth
    std::vector<std::uint32_t> live(order.size());   // indexes into order of patterns longer than depth
    std::iota(live.begin(), live.end(), 0u);
    for (std::size_t depth = 0; !live.empty(); ++depth) {
        const auto levelEnd = static_cast<std::uint32_t>(label_.size());
        // Where the children of the node `node`, shallower than this level,
        // end: the entry one past it may be due only later in this level.
        const auto childEnd = [&](std::uint32_t node) {
            return node + 1 < childOffset_.size() ? FirstChild(node + 1) : levelEnd;
        };
        std::size_t kept = 0;
        std::uint32_t lastParent = kNoNode;
        unsigned char lastByte = 0;
        for (const std::uint32_t k : live) {
            const std::string_view p = patterns[order[k]];
            const auto byte = static_cast<unsigned char>(p[depth]);
            const std::uint32_t parent = at[k];
            if (parent != lastParent || byte != lastByte) {
                // Childless nodes before this parent start where it starts.
                while (childOffset_.size() <= parent) PushFirstChild(static_cast<std::uint32_t>(label_.size()));
                const auto node = static_cast<std::uint32_t>(label_.size());
                std::uint32_t fail = 0;
                if (parent != 0) {
                    std::uint32_t f = fail_[parent];
                    for (;;) {
                        const std::uint32_t c = f == 0 ? root_[byte] : Child(f, byte, childEnd(f));
                        if (c != kNoNode || f == 0) {
                            fail = c == kNoNode ? 0 : c;
                            break;
                        }
                        f = fail_[f];
                    }
                } else {
                    root_[byte] = node;
                }
                label_.push_back(byte);
                fail_.push_back(fail);
                terminal_.push_back(false);
                lastParent = parent;
                lastByte = byte;
            }
            at[k] = static_cast<std::uint32_t>(label_.size() - 1);
            if (p.size() == depth + 1) {
                patternNode_[order[k]] = at[k];
                terminal_[at[k]] = true;
            } else {
                live[kept++] = k;
            }
        }
        while (childOffset_.size() < levelEnd) PushFirstChild(static_cast<std::uint32_t>(label_.size()));
        live.resize(kept);
    }
    while (childOffset_.size() <= label_.size()) PushFirstChild(static_cast<std::uint32_t>(label_.size()));
    // Failure links lead to lower node numbers, so one pass in node order.
    hit_.assign(label_.size(), false);
    for (std::size_t v = 1; v < label_.size(); ++v) hit_[v] = terminal_[v] || hit_[fail_[v]];
}

bool PatternSet::OccursIn(std::string_view text) const {
    if (hasEmpty_) return true;
    std::uint32_t state = 0;
    for (const char c : text) {
        state = Next(state, static_cast<unsigned char>(c));
        if (hit_[state]) return true;
    }
    return false;
}

std::vector<std::size_t> PatternSet::FirstHolders(std::span<const std::string_view> texts,
                                                  std::vector<bool>& holdsAny) const {
    // A text holds a pattern when one of the states it passes has the
    // pattern's node on its failure chain, so the first text to pass each
    // node, carried down the failure links (deeper nodes first), gives each
    // pattern's first holder.
    holdsAny.assign(texts.size(), false);
    std::vector<std::uint32_t> first(label_.size(), kNoNode);
    for (std::size_t t = 0; t < texts.size(); ++t) {
        std::uint32_t state = 0;
        bool any = false;
        for (const char c : texts[t]) {
            state = Next(state, static_cast<unsigned char>(c));
            if (!hit_[state]) continue;
            any = true;
            if (first[state] == kNoNode) first[state] = static_cast<std::uint32_t>(t);
        }
        holdsAny[t] = any;
    }
    for (std::size_t v = label_.size() - 1; v > 0; --v)
        first[fail_[v]] = std::min(first[fail_[v]], first[v]);
    std::vector<std::size_t> holder(patternNode_.size(), kNone);
    for (std::size_t p = 0; p < patternNode_.size(); ++p) {
        if (patternNode_[p] != kNoNode && first[patternNode_[p]] != kNoNode) holder[p] = first[patternNode_[p]];
    }
    return holder;
}

}  // namespace quillset::selection
