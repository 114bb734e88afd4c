#include "model/definition_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quillset::model {
namespace {

using namespace std::string_literals;

TEST(HeaderLineTest, OnlyALeadingBracketMakesAHeader) {
    EXPECT_TRUE(IsHeaderLine("[ Main Window Position ]"));
    EXPECT_TRUE(IsHeaderLine("["));
    EXPECT_FALSE(IsHeaderLine(""));
    EXPECT_FALSE(IsHeaderLine(" [ Feature Style - Curb ]"));
    EXPECT_TRUE(IsHeaderLine(Trim(" [ Feature Style - Curb ]")));
    EXPECT_FALSE(IsHeaderLine("\t[ Feature Style - Curb ]"));
    EXPECT_FALSE(IsHeaderLine("Key=[value]"));
}

TEST(TrimTest, RemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
}

TEST(HeaderTypeTest, TextBetweenFirstBracketAndFirstDash) {
    EXPECT_EQ(HeaderType("[ Named Symbology - Curb ]"), "Named Symbology");
    EXPECT_EQ(HeaderType("[Named Symbology-Curb]"), "Named Symbology");
    EXPECT_EQ(HeaderType("[ Named Symbology ]"), "Named Symbology ]");
    EXPECT_EQ(HeaderType("[ Main Window Position ]"), "Main Window Position ]");
    EXPECT_EQ(HeaderType("  [ Feature Style - Curb - Left ]  "), "Feature Style");
    // A dash right after the bracket does not split.
    EXPECT_EQ(HeaderType("[ -Odd ]"), "-Odd ]");
    EXPECT_EQ(HeaderType("[\tTab - X ]"), "\tTab");
    EXPECT_EQ(HeaderType("No bracket - X"), "No bracket");
    EXPECT_EQ(HeaderType(""), "");
}

TEST(HeaderNameTest, SplitsAtFirstDashAndEndsAtFollowingBracket) {
    EXPECT_EQ(HeaderName("[ Feature Style - Curb ]"), "Curb");
    EXPECT_EQ(HeaderName("[ Named Symbology - Curb ]"), "Curb");
    EXPECT_EQ(HeaderName("[ Dialog Boxes - Position Information ]"), "Position Information");
    EXPECT_EQ(HeaderName("[ Feature Style - Curb - Left ]"), "Curb - Left");
    EXPECT_EQ(HeaderName("[ A - B ] - C"), "B");
    EXPECT_EQ(HeaderName("[ Main Window Position ]"), "[ Main Window Position ]");
    EXPECT_EQ(HeaderName("  [ Recent Files List ]  "), "[ Recent Files List ]");
    EXPECT_EQ(HeaderName("[ Feature Style - ]"), "");
    EXPECT_EQ(HeaderName("[ Feature Style -]"), "");
    EXPECT_EQ(HeaderName("[ Feature Style - Open"), "Open");
    EXPECT_EQ(HeaderName("[ X - a]b ]"), "a");
    EXPECT_EQ(HeaderName("[ X - \tTabbed\t ]"), "\tTabbed\t");
    EXPECT_EQ(HeaderName(""), "");
}

TEST(CategoryTest, FeatureNeedsAtMostTwoBlanksAfterBracket) {
    EXPECT_TRUE(IsFeatureHeader("[Feature Style - Curb]"));
    EXPECT_TRUE(IsFeatureHeader("[ Feature Style - Curb ]"));
    EXPECT_TRUE(IsFeatureHeader("[  Feature Style - Curb ]"));
    EXPECT_FALSE(IsFeatureHeader("[   Feature Style - Curb ]"));
    EXPECT_TRUE(IsFeatureHeader("[ FEATURE STYLE - Curb ]"));
    EXPECT_EQ(HeaderCategory("[   Feature Style - Curb ]"), "Preference");
}

TEST(CategoryTest, TestsAreTriedInFixedOrder) {
    EXPECT_EQ(HeaderCategory("[ Feature Style - Grass Filter Strip ]"), "Filter");
    EXPECT_EQ(HeaderCategory("[ Feature Style - Curb ]"), "Feature");
    EXPECT_EQ(HeaderCategory("[ named symbology - Curb ]"), "Symbol");
    EXPECT_EQ(HeaderCategory("[ Named Symbology - Wysiwyg Text ]"), "Symbol");
    EXPECT_EQ(HeaderCategory("[ Named Symbology - FILTERED ]"), "Filter");
    EXPECT_EQ(HeaderCategory("[ Feature Style - Wysiwyg ]"), "Feature");
    EXPECT_EQ(HeaderCategory("[ Wysiwyg Settings ]"), "Wysiwyg");
    EXPECT_EQ(HeaderCategory("[ WYSIWYG - Plot Scale ]"), "Wysiwyg");
    EXPECT_EQ(HeaderCategory("[ Named Symbology ]"), "Preference");
    EXPECT_EQ(HeaderCategory("[ Preferences - General ]"), "Preference");
    EXPECT_EQ(HeaderCategory(""), "Preference");
    // The whole line counts, text after "]" included.
    EXPECT_EQ(HeaderCategory("[ Preferences - General ] filter"), "Filter");
    EXPECT_EQ(CategoryOf("[ Named Symbology - Curb ]"), Category::Symbol);
}

TEST(CategoryTest, EmptyInputMatchesNothing) {
    EXPECT_FALSE(IsFilterHeader(""));
    EXPECT_FALSE(IsFeatureHeader(""));
    EXPECT_FALSE(IsSymbolHeader(""));
    EXPECT_FALSE(IsWysiwygHeader(""));
}

TEST(TrimLineEndTest, DropsTrailingBlanksCommasAndLowControls) {
    EXPECT_EQ(TrimLineEnd("Key=1, , ,"), "Key=1");
    EXPECT_EQ(TrimLineEnd("Key=1\t"), "Key=1\t");
    EXPECT_EQ(TrimLineEnd("Key=1\t , "), "Key=1\t");
    EXPECT_EQ(TrimLineEnd(" ,, , "), "");
    EXPECT_EQ(TrimLineEnd(""), "");
    EXPECT_EQ(TrimLineEnd("  lead"), "  lead");
    EXPECT_EQ(TrimLineEnd("a\x01\x08"s + '\0'), "a");
    EXPECT_EQ(TrimLineEnd("a\x0b"), "a\x0b");  // 11 is not in 0-8
    EXPECT_EQ(TrimLineEnd("a\x1f"), "a\x1f");
    EXPECT_EQ(TrimLineEnd("caf\xe9 "), "caf\xe9");
    EXPECT_EQ(TrimLineEnd("a" + "\0"s + "b,"), "a" + "\0"s + "b");
}

TEST(KeywordLessTest, IgnoresCaseAndBreaksTiesExactly) {
    EXPECT_TRUE(KeywordLess("apple", "Banana"));
    EXPECT_TRUE(KeywordLess("Ab", "abc"));
    EXPECT_FALSE(KeywordLess("curb", "Curb") && KeywordLess("Curb", "curb"));
    EXPECT_TRUE(KeywordLess("Curb", "curb") || KeywordLess("curb", "Curb"));
    EXPECT_FALSE(KeywordLess("Curb", "Curb"));
}

TEST(KeywordLessTest, FoldsLatin1CapitalsOntoTheirSmallLetters) {
    std::vector<std::string> words = {"\xF7x",    "\xE9tage", "\xC9TAGE", "zone", "\xDFx",
                                      "\xE9gout", "\xD7x",    "\xC9gout", "abri"};
    std::sort(words.begin(), words.end(), KeywordLess);
    // Accented capitals join their small letters; the multiplication sign and
    // the sharp s have no case partner and keep their places.
    const std::vector<std::string> sorted = {"abri",     "zone",     "\xD7x",
                                             "\xDFx",    "\xC9gout", "\xE9gout",
                                             "\xC9TAGE", "\xE9tage", "\xF7x"};
    EXPECT_EQ(words, sorted);
    EXPECT_TRUE(EqualsIgnoringCase("\xC9TAGE", "\xE9tage"));
    EXPECT_FALSE(EqualsIgnoringCase("\xD7", "\xF7"));
}

}  // namespace
}  // namespace quillset::model
