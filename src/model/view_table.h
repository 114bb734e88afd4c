#pragma once
// A hash table keyed by byte strings held elsewhere (views into a file's
// bytes). Open addressing over one array of slots that keep each key's hash,
// so a probe touches one slot and compares bytes only on a full hash match:
// the keyword and header tables of large files are built and probed hundreds
// of thousands of times per command.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "model/definition_blocks.h"

namespace quillset::model {

// The process's hash keys, drawn at start-up: texts come from files anyone
// may craft, and with fixed keys a file of keys chosen to share one slot
// makes every probe walk all of them. Nothing may depend on slot order.
struct HashKeys {
    std::uint64_t seed, word, state;
};
extern const HashKeys kHashKeys;

// Sets bit 0x20 of the bytes of `word` that EqualsIgnoringCase folds and of
// no others, eight at once: of the low seven bits t, 0x41-0x5A, or for a byte
// with the top bit 0x40-0x5E but 0x57. Each sum stays inside its byte and
// leaves its verdict in the byte's top bit.
inline std::uint64_t FoldLetters(std::uint64_t word) {
    constexpr std::uint64_t k1 = 0x0101010101010101ull;
    const std::uint64_t t = word & (0x7F * k1);
    const std::uint64_t top = (word >> 7) & k1;
    const std::uint64_t from = t + 0x3F * k1 + top;                  // t >= 0x41 - top
    const std::uint64_t past = t + (0x25 * k1 - (top << 2));         // t >= 0x5B + 4 top
    const std::uint64_t notTimes = ((t ^ (0x57 * k1)) + 0x7F * k1) | ~word;  // not 0xD7
    return word | ((from & ~past & notTimes & (0x80 * k1)) >> 2);
}

// Eight bytes at a time, each word multiplied into the state to 128 bits and
// the halves folded (all input bits reach all output bits). With
// `ignoringCase`, texts equal ignoring case hash alike.
template <bool ignoringCase = false>
std::uint64_t HashBytes(std::string_view bytes) {
    const HashKeys keys = kHashKeys;
    std::uint64_t h = keys.seed ^ bytes.size();
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    const auto mix = [&h, &keys](std::uint64_t word) {
        if constexpr (ignoringCase) word = FoldLetters(word);
        __extension__ using Wide = unsigned __int128;
        const Wide product = static_cast<Wide>(word ^ keys.word) * (h ^ keys.state);
        h = static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
    };
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        mix(word);
    }
    if (n != 0) {
        std::uint64_t tail = 0;
        std::memcpy(&tail, p, n);
        mix(tail);
    }
    return h;
}

// The value of a table used as a set.
struct Present {};

// With `ignoringCase`, keys equal ignoring case (EqualsIgnoringCase) are one.
// The slots are 8 bytes (the hash's top half and a key's position) and the
// keys and values sit densely beside them in insertion order: a third of the
// size of slots that hold the view, hash and value themselves, and a probe
// compares bytes only on a matching hash half.
template <class Value, bool ignoringCase = false>
class ViewTable {
public:
    explicit ViewTable(std::size_t expected = 0) {
        keys_.reserve(expected);
        values_.reserve(expected);
        slots_.assign(Capacity(expected), 0);
    }
    // The value kept for `key`, value-initialised when the key is new, and
    // whether it was new; valid until the next insertion. `hash` is
    // HashBytes<ignoringCase>(key).
    std::pair<Value*, bool> Insert(std::string_view key, std::uint64_t hash) {
        if (2 * (keys_.size() + 1) > slots_.size()) Grow();
        std::uint64_t& slot = slots_[Probe(key, hash)];
        if (slot != 0) return {&values_[(slot & kPosition) - 1], false};
        keys_.push_back(key);
        values_.emplace_back();
        slot = (hash & ~kPosition) | keys_.size();
        return {&values_.back(), true};
    }
    std::pair<Value*, bool> Insert(std::string_view key) { return Insert(key, HashBytes<ignoringCase>(key)); }
    const Value* Find(std::string_view key, std::uint64_t hash) const {
        const std::uint64_t slot = slots_[Probe(key, hash)];
        return slot != 0 ? &values_[(slot & kPosition) - 1] : nullptr;
    }
    Value* Find(std::string_view key, std::uint64_t hash) {
        return const_cast<Value*>(std::as_const(*this).Find(key, hash));
    }
    // The distinct keys in the order they were first inserted; the rest of
    // the table is released at once.
    std::vector<std::string_view> TakeKeys() && {
        std::vector<std::uint64_t>().swap(slots_);
        std::vector<Value>().swap(values_);
        return std::move(keys_);
    }
    bool Contains(std::string_view key) const { return Find(key, HashBytes<ignoringCase>(key)) != nullptr; }
    // Calls visit(key, hash) for each of `keys` in order. A probe of a large
    // table is a cache miss, so the slots of the next few keys are fetched
    // while the current one is visited.
    template <class Keys, class Visit>
    void ForEachPrefetched(const Keys& keys, Visit&& visit) const {
        constexpr std::size_t kAhead = 8;
        const std::size_t n = keys.size();
        std::uint64_t hashes[kAhead];
        const auto fetch = [&](std::size_t i) {
            hashes[i % kAhead] = HashBytes<ignoringCase>(keys[i]);
            __builtin_prefetch(&slots_[hashes[i % kAhead] & (slots_.size() - 1)]);
        };
        for (std::size_t i = 0; i < n && i < kAhead; ++i) fetch(i);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t hash = hashes[i % kAhead];
            if (i + kAhead < n) fetch(i + kAhead);
            visit(keys[i], hash);
        }
    }

private:
    static constexpr std::uint64_t kPosition = 0xFFFFFFFFull;  // an entry's position + 1; 0 is free

    static bool Same(std::string_view a, std::string_view b) {
        if constexpr (ignoringCase) {
            return EqualsIgnoringCase(a, b);
        } else {
            return a == b;
        }
    }

    static std::size_t Capacity(std::size_t expected) {
        std::size_t size = 16;
        while (size < expected * 2) size *= 2;
        return size;
    }

    // The key's slot, or the free slot where it would go.
    std::size_t Probe(std::string_view key, std::uint64_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        const std::uint64_t tag = hash & ~kPosition;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint64_t slot = slots_[at];
            if (slot == 0 || ((slot & ~kPosition) == tag && Same(keys_[(slot & kPosition) - 1], key)))
                return at;
        }
    }

    void Grow() {
        slots_.assign(slots_.size() * 2, 0);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            const std::uint64_t hash = HashBytes<ignoringCase>(keys_[i]);
            std::size_t at = hash & mask;
            while (slots_[at] != 0) at = (at + 1) & mask;
            slots_[at] = (hash & ~kPosition) | (i + 1);
        }
    }

    std::vector<std::uint64_t> slots_;
    std::vector<std::string_view> keys_;  // slot positions point here
    std::vector<Value> values_;
};

}  // namespace quillset::model
