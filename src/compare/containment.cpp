#include "compare/containment.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>

namespace quillset::compare {

namespace {

// A multi-pattern automaton over the distinct non-empty parts. Nodes are
// numbered breadth first with every node's children adjacent and sorted by
// byte, so a node's edges are one slice of `label_` found by binary search;
// this keeps the trie compact even for hundreds of thousands of headers.
class Automaton {
public:
    explicit Automaton(std::span<const std::string_view> parts) {
        partNode_.assign(parts.size(), kNoNode);
        std::vector<std::uint32_t> parent;
        {
            // The parts packed together in sorted order for the build, which
            // reads every part once per depth; the scan needs none of it.
            const std::vector<std::uint32_t> order = SortedParts(parts);
            std::string pool;
            pool.reserve(std::accumulate(order.begin(), order.end(), std::size_t{0},
                                         [&](std::size_t n, std::uint32_t i) { return n + parts[i].size(); }));
            std::vector<std::string_view> sorted;
            sorted.reserve(order.size());
            for (const std::uint32_t i : order) {
                sorted.emplace_back(pool.data() + pool.size(), parts[i].size());
                pool.append(parts[i]);
            }
            Build(sorted, order, parent);
        }
        Link(parent);
    }

    // Feeds one text; calls hit(node) for every pattern node that ends at some
    // position and has not been reported before, and returns whether any
    // pattern occurs in the text at all.
    template <class Hit>
    bool Scan(std::string_view text, Hit hit) {
        std::uint32_t state = 0;
        bool any = false;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            std::uint32_t next;
            while ((next = Child(state, byte)) == kNoNode && state != 0) state = fail_[state];
            state = next == kNoNode ? 0 : next;
            std::uint32_t out = terminal_[state] ? state : dict_[state];
            if (out == kNoNode) continue;
            any = true;
            // Once a node is reported, so is every pattern on its dictionary
            // chain, so each chain is walked only up to the first reported
            // node: the whole scan stays linear.
            while (out != kNoNode && !reported_[out]) {
                reported_[out] = true;
                hit(out);
                out = dict_[out];
            }
        }
        return any;
    }

    std::uint32_t NodeOf(std::size_t part) const { return partNode_[part]; }
    std::size_t Nodes() const { return label_.size(); }

private:
    static constexpr std::uint32_t kNoNode = UINT32_MAX;

    std::uint32_t Child(std::uint32_t node, unsigned char byte) const {
        const auto first = label_.begin() + firstChild_[node];
        const auto last = label_.begin() + firstChild_[node + 1];
        const auto it = std::lower_bound(first, last, byte);
        if (it == last || *it != byte) return kNoNode;
        return static_cast<std::uint32_t>(it - label_.begin());
    }

    // The non-empty parts' indexes in byte order. The parts lie all over
    // their file, so they are sorted on copies packed together in file order,
    // first on their first 32 bytes as numbers: headers share long
    // beginnings, which a byte comparison would walk every time. The copies
    // are gone before the trie is built.
    static std::vector<std::uint32_t> SortedParts(std::span<const std::string_view> parts) {
        std::vector<std::uint32_t> order;
        std::size_t total = 0;
        for (std::uint32_t i = 0; i < parts.size(); ++i) {
            if (parts[i].empty()) continue;
            order.push_back(i);
            total += parts[i].size();
        }
        std::string packed;
        packed.reserve(total);
        std::vector<std::string_view> copies(parts.size());
        for (const std::uint32_t i : order) {
            copies[i] = std::string_view(packed.data() + packed.size(), parts[i].size());
            packed.append(parts[i]);
        }
        struct Keyed {
            std::uint64_t word[4];
            std::uint32_t part;
        };
        std::vector<Keyed> keyed;
        keyed.reserve(order.size());
        for (const std::uint32_t i : order) {
            Keyed k{{0, 0, 0, 0}, i};
            const std::string_view p = copies[i];
            for (std::size_t b = 0; b < 32 && b < p.size(); ++b)
                k.word[b / 8] |= std::uint64_t{static_cast<unsigned char>(p[b])} << (56 - 8 * (b % 8));
            keyed.push_back(k);
        }
        // Zero padding keeps the order of the prefixes within the full order.
        std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
            for (int w = 0; w < 4; ++w)
                if (a.word[w] != b.word[w]) return a.word[w] < b.word[w];
            return copies[a.part] < copies[b.part];
        });
        for (std::size_t k = 0; k < keyed.size(); ++k) order[k] = keyed[k].part;
        return order;
    }

    // Level by level: the sorted parts that share a prefix of length d + 1
    // stand together, so each run of them becomes one node at depth d + 1,
    // and the nodes of a level come out in prefix order.
    void Build(const std::vector<std::string_view>& sorted, const std::vector<std::uint32_t>& order,
               std::vector<std::uint32_t>& parents) {
        label_.push_back(0);
        parents.push_back(kNoNode);
        std::vector<std::uint32_t> at(order.size(), 0);  // each live part's node at this depth
        std::vector<std::uint32_t> live(order.size());   // indexes into order of parts longer than depth
        std::iota(live.begin(), live.end(), 0u);
        for (std::size_t depth = 0; !live.empty(); ++depth) {
            const auto levelEnd = static_cast<std::uint32_t>(label_.size());
            std::vector<std::uint32_t> next;
            next.reserve(live.size());
            std::uint32_t lastParent = kNoNode;
            unsigned char lastByte = 0;
            for (const std::uint32_t k : live) {
                const std::string_view p = sorted[k];
                const auto byte = static_cast<unsigned char>(p[depth]);
                const std::uint32_t parent = at[k];
                if (parent != lastParent || byte != lastByte) {
                    // Childless nodes before this parent start where it starts.
                    while (firstChild_.size() <= parent)
                        firstChild_.push_back(static_cast<std::uint32_t>(label_.size()));
                    label_.push_back(byte);
                    parents.push_back(parent);
                    lastParent = parent;
                    lastByte = byte;
                }
                at[k] = static_cast<std::uint32_t>(label_.size() - 1);
                if (p.size() == depth + 1)
                    partNode_[order[k]] = at[k];
                else
                    next.push_back(k);
            }
            while (firstChild_.size() < levelEnd)
                firstChild_.push_back(static_cast<std::uint32_t>(label_.size()));
            live = std::move(next);
        }
        while (firstChild_.size() <= label_.size())
            firstChild_.push_back(static_cast<std::uint32_t>(label_.size()));
        terminal_.assign(label_.size(), false);
        for (const std::uint32_t node : partNode_)
            if (node != kNoNode) terminal_[node] = true;
    }

    // Failure and dictionary links in breadth-first order, which is node order.
    void Link(const std::vector<std::uint32_t>& parents) {
        const std::size_t n = label_.size();
        fail_.assign(n, 0);
        dict_.assign(n, kNoNode);
        reported_.assign(n, false);
        for (std::uint32_t v = 1; v < n; ++v) {
            const std::uint32_t p = parents[v];
            if (p != 0) {
                std::uint32_t f = fail_[p];
                std::uint32_t next;
                while ((next = Child(f, label_[v])) == kNoNode && f != 0) f = fail_[f];
                fail_[v] = next == kNoNode ? 0 : next;
            }
            const std::uint32_t f = fail_[v];
            dict_[v] = terminal_[f] ? f : dict_[f];
        }
    }

    std::vector<unsigned char> label_;
    std::vector<std::uint32_t> firstChild_;  // children of v: [firstChild_[v], firstChild_[v + 1])
    std::vector<std::uint32_t> fail_;
    std::vector<std::uint32_t> dict_;
    std::vector<bool> terminal_;
    std::vector<bool> reported_;
    std::vector<std::uint32_t> partNode_;
};

}  // namespace

bool HeaderContains(std::string_view container, std::string_view part) {
    return !container.empty() && !part.empty() && container.find(part) != std::string_view::npos;
}

Containment FindContainers(std::span<const std::string_view> containers,
                           std::span<const std::string_view> parts) {
    Containment result;
    result.firstContainer.assign(parts.size(), kNone);
    result.holdsAPart.assign(containers.size(), false);
    if (parts.empty() || containers.empty()) return result;
    Automaton automaton(parts);
    // First container per pattern node, filled the first time a node is hit.
    constexpr std::uint32_t kNoContainer = UINT32_MAX;
    std::vector<std::uint32_t> firstByNode(automaton.Nodes(), kNoContainer);
    for (std::size_t c = 0; c < containers.size(); ++c) {
        result.holdsAPart[c] = automaton.Scan(
            containers[c], [&](std::uint32_t node) { firstByNode[node] = static_cast<std::uint32_t>(c); });
    }
    for (std::size_t p = 0; p < parts.size(); ++p) {
        if (parts[p].empty()) continue;
        const std::uint32_t first = firstByNode[automaton.NodeOf(p)];
        result.firstContainer[p] = first == kNoContainer ? kNone : first;
    }
    return result;
}

Containment FindContainersPlain(std::span<const std::string_view> containers,
                                std::span<const std::string_view> parts) {
    Containment result;
    result.firstContainer.assign(parts.size(), kNone);
    result.holdsAPart.assign(containers.size(), false);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (std::size_t c = 0; c < containers.size(); ++c) {
            if (HeaderContains(containers[c], parts[p])) {
                result.firstContainer[p] = c;
                break;
            }
        }
    }
    for (std::size_t c = 0; c < containers.size(); ++c) {
        for (std::size_t p = 0; p < parts.size() && !result.holdsAPart[c]; ++p)
            result.holdsAPart[c] = HeaderContains(containers[c], parts[p]);
    }
    return result;
}

}  // namespace quillset::compare
