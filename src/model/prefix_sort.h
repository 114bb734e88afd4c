#pragma once
// The sort of texts that lie all over memory (views into a file's bytes):
// each text's first 16 bytes are kept beside it as two numbers, so most
// comparisons are of numbers and never reach into the texts. Used for the
// keyword lists, the multi-pattern search's patterns and the spreadsheet
// import's rows.

#include <algorithm>
#include <compare>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quillset::model {

// The first 16 bytes of a text, big-endian, padded with zero bytes; with
// `fold`, folded as CompareIgnoringCase folds them. Padding with the least
// byte keeps the prefixes' order within the texts' order: texts whose
// prefixes differ are in that order, equal prefixes only defer to the texts.
struct TextPrefix {
    std::uint64_t high = 0, low = 0;
    auto operator<=>(const TextPrefix&) const = default;
};
TextPrefix PrefixOf(std::string_view text, bool fold);

// Sorts `items` stably in the order `less` gives their texts (textOf(item),
// a view that stays valid while the items do not move).
// `less` must be the byte order of the texts, or with `fold` an order that
// is CompareIgnoringCase's for texts that differ ignoring case (ties may go
// either way).
template <class T, class TextOf, class Less>
void SortByPrefix(std::vector<T>& items, const TextOf& textOf, bool fold, const Less& less) {
    // The text's view rides along, so a tie is broken without a trip
    // through the items.
    struct Keyed {
        TextPrefix prefix;
        std::string_view text;
        std::size_t item;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view text = textOf(items[i]);
        keyed.push_back({PrefixOf(text, fold), text, i});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        return less(a.text, b.text);
    });
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(items[k.item]));
    items = std::move(sorted);
}

}  // namespace quillset::model
