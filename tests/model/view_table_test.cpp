#include "model/view_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/definition_blocks.h"

namespace quillset::model {
namespace {

// Ignoring case, a table holds one entry per text up to the letters' case,
// and the hash tells apart every other byte: a byte that only shares bit 0x20
// with another ("[" and "{", blank and NUL, "0" and 0x10) must not collide,
// or headers made of such bytes pile onto one slot.
TEST(ViewTableTest, IgnoringCaseFoldsLettersOnly) {
    ViewTable<int, true> table;
    *table.Insert("[ Feature Style - Curb ]").first = 1;
    EXPECT_FALSE(table.Insert("[ FEATURE style - cURB ]").second);
    EXPECT_TRUE(table.Insert("{ Feature Style - Curb }").second);
    EXPECT_TRUE(table.Insert("[ Feature Style - \xC9t\xE9 ]").second);
    EXPECT_FALSE(table.Insert("[ Feature Style - \xE9T\xC9 ]").second);
    EXPECT_TRUE(table.Contains("[ feature style - curb ]"));
    EXPECT_FALSE(table.Contains("[ Feature Style - Curb }"));

    // Every byte in every position of a word and of a tail: the hash of its
    // folded text, and as many distinct hashes as distinct folded texts.
    for (std::size_t at = 0; at < 11; ++at) {
        std::set<std::uint64_t> hashes;
        std::set<std::string> folded;
        for (int c = 0; c < 256; ++c) {
            std::string text = "Ab[0 \x10xyZ\xD7q";
            text[at] = static_cast<char>(c);
            EXPECT_EQ(HashBytes<true>(text), HashBytes<true>(FoldCase(text))) << at << " " << c;
            hashes.insert(HashBytes<true>(text));
            folded.insert(FoldCase(text));
        }
        EXPECT_EQ(hashes.size(), folded.size()) << at;
    }
}

// Growing past its size and fetching ahead loses and reorders nothing: every
// key found again with its value, the keys given back in insertion order.
TEST(ViewTableTest, KeepsEveryKeyThroughGrowthAndPrefetchedLookups) {
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back("[ K" + std::to_string(i * 7919 % 5000) + " ]");
    const std::vector<std::string_view> keys(texts.begin(), texts.end());
    ViewTable<int> table(4);
    int order = 0;
    table.ForEachPrefetched(keys, [&](std::string_view key, std::uint64_t hash) {
        EXPECT_EQ(hash, HashBytes(key));
        const auto [value, fresh] = table.Insert(key, hash);
        EXPECT_TRUE(fresh) << key;
        *value = order++;
    });
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int* value = table.Find(keys[i], HashBytes(keys[i]));
        ASSERT_NE(value, nullptr) << keys[i];
        EXPECT_EQ(*value, static_cast<int>(i));
    }
    EXPECT_FALSE(table.Contains("[ K5000 ]"));
    EXPECT_EQ(std::move(table).TakeKeys(), keys);
}

}  // namespace
}  // namespace quillset::model
