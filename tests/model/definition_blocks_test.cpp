#include "model/definition_blocks.h"
#include "model/prefix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillset::model {
namespace {

using namespace std::string_literals;

struct HeaderCase {
    std::string line;
    bool header;
    std::string type, name, category;
};

// A header starts with "[" in the very first column. Its type runs from the
// first "[" to the first "-" (one right after the bracket does not split),
// its name from that "-" to the next "]", both trimmed of spaces only. The
// category looks at the whole line, trying Filter, Feature, Symbol, Wysiwyg
// in that order, otherwise Preference.
TEST(HeaderRulesTest, TypeNameAndCategoryOfEachLine) {
    const HeaderCase cases[] = {
        {"[Feature Style - Curb - Left ]", true, "Feature Style", "Curb - Left", "Feature"},
        {"[ Feature Style -]", true, "Feature Style", "", "Feature"},
        {"[  FEATURE Style - Open", true, "FEATURE Style", "Open", "Feature"},
        {"[   Feature Style - Curb ]", true, "Feature Style", "Curb", "Preference"},
        {"[Named Symbology-Curb]", true, "Named Symbology", "Curb", "Symbol"},
        {"[ named symbology - a]b ]", true, "named symbology", "a", "Symbol"},
        {"[ Named Symbology ]", true, "Named Symbology ]", "[ Named Symbology ]", "Preference"},
        {"[ WYSIWYG - Plot Scale ]", true, "WYSIWYG", "Plot Scale", "Wysiwyg"},
        {"[ A - B ] - C", true, "A", "B", "Preference"},
        {"[ -Odd ]", true, "-Odd ]", "Odd", "Preference"},
        {"[\tTab - \tName\t ]", true, "\tTab", "\tName\t", "Preference"},
        {"  [ Recent Files ]  ", false, "Recent Files ]", "[ Recent Files ]", "Preference"},
        {"\t[ Feature Style - Curb ]", false, "Feature Style", "Curb", "Feature"},
        {"Key=[value]", false, "value]", "Key=[value]", "Preference"},
        {"No bracket - X", false, "No bracket", "X", "Preference"},
        {"", false, "", "", "Preference"},
        // Where two tests match, the earlier one wins.
        {"[ Feature Style - Grass Filter ]", true, "Feature Style", "Grass Filter", "Filter"},
        {"[ Named Symbology - FILTERED ]", true, "Named Symbology", "FILTERED", "Filter"},
        {"[ Wysiwyg Filter ]", true, "Wysiwyg Filter ]", "[ Wysiwyg Filter ]", "Filter"},
        {"[ Named Symbology - x ] [Feature", true, "Named Symbology", "x", "Feature"},
        {"[ Feature Style - Wysiwyg ]", true, "Feature Style", "Wysiwyg", "Feature"},
        {"[ Named Symbology - Wysiwyg ]", true, "Named Symbology", "Wysiwyg", "Symbol"},
        {"[ Preferences - General ] filter", true, "Preferences", "General", "Filter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(IsHeaderLine(c.line), c.header);
        EXPECT_EQ(HeaderType(c.line), c.type);
        EXPECT_EQ(HeaderName(c.line), c.name);
        EXPECT_EQ(HeaderCategory(c.line), c.category);
    }
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim(" \ta\t "), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
}

TEST(TrimLineEndTest, DropsTrailingBlanksCommasAndControlsUpToEight) {
    const std::pair<std::string, std::string> cases[] = {
        {"Key=1, , ,", "Key=1"},      {"Key=1\t , ", "Key=1\t"}, {" ,, , ", ""},
        {"", ""},                     {"  lead", "  lead"},       {"a\x01\x08"s + '\0', "a"},
        {"a\x0b", "a\x0b"},           {"caf\xe9 ", "caf\xe9"},    {"a\0b,"s, "a\0b"s},
    };
    for (const auto& [line, trimmed] : cases) EXPECT_EQ(TrimLineEnd(line), trimmed) << line;
}

TEST(KeywordLessTest, IgnoresAsciiAndLatin1CaseAndBreaksTiesByBytes) {
    std::vector<std::string> words = {"\xF7x", "\xE9tage", "Curb",  "\xC9TAGE", "zone",
                                      "Ab",    "\xDFx",    "abc",   "\xE9gout", "curb",
                                      "\xD7x", "Banana",   "abri",  "\xC9gout"};
    std::sort(words.begin(), words.end(), KeywordLess);
    // Accented capitals join their small letters; the multiplication sign and
    // the sharp s have no case partner and keep their places.
    const std::vector<std::string> sorted = {
        "Ab",      "abc",      "abri",     "Banana",   "Curb",     "curb",     "zone",
        "\xD7x",   "\xDFx",    "\xC9gout", "\xE9gout", "\xC9TAGE", "\xE9tage", "\xF7x"};
    EXPECT_EQ(words, sorted);
    EXPECT_FALSE(KeywordLess("Curb", "Curb"));
}

TEST(PrefixSortTest, OrdersAsThePlainSortOfTheWholeTexts) {
    // Texts that share 16 bytes or more, differ only past them, end inside
    // them, hold NUL and high bytes, and differ only in case.
    std::vector<std::string> texts;
    std::uint32_t state = 7;
    const std::string stem = "[ Feature Style - ";
    for (int i = 0; i < 3000; ++i) {
        state = state * 1103515245u + 12345u;
        std::string text = stem.substr(0, (state >> 8) % (stem.size() + 1));
        for (unsigned n = (state >> 20) % 6; n > 0; --n) {
            state = state * 1103515245u + 12345u;
            text += "aA\0\xC9\xE9\xFF-"[(state >> 16) % 7];
        }
        texts.push_back(text);
    }
    for (const bool fold : {false, true}) {
        std::vector<std::pair<std::string, int>> items;
        for (std::size_t i = 0; i < texts.size(); ++i) items.emplace_back(texts[i], static_cast<int>(i));
        auto expected = items;
        const auto less = [fold](std::string_view a, std::string_view b) {
            return fold ? CompareIgnoringCase(a, b) < 0 : a < b;
        };
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const auto& a, const auto& b) { return less(a.first, b.first); });
        SortByPrefix(items, [](const auto& item) { return std::string_view(item.first); }, fold, less);
        EXPECT_EQ(items, expected) << "fold " << fold;  // stable: equal texts keep their order
    }
}

}  // namespace
}  // namespace quillset::model
