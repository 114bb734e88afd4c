#include "model/view_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

}  // namespace
}  // namespace quillset::model
