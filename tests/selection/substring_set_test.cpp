#include "selection/substring_set.h"

#include <gtest/gtest.h>

#include <random>

namespace quillset::selection {
namespace {

bool PlainScan(const std::vector<std::string>& patterns, const std::string& text) {
    for (const auto& p : patterns)
        if (text.find(p) != std::string::npos) return true;
    return false;
}

// Small alphabets make overlapping and nested patterns common, where failure
// links go wrong; bytes above 127 check that nothing is taken as signed.
TEST(SubstringSet, AgreesWithThePlainScanOnRandomPatternsAndTexts) {
    std::mt19937 random(12);
    const std::string alphabet = "ab[- \xE9";
    auto word = [&](std::size_t maxLength) {
        std::string w(random() % (maxLength + 1), ' ');
        for (char& c : w) c = alphabet[random() % alphabet.size()];
        return w;
    };
    int hits = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> patterns(random() % 6);
        for (auto& p : patterns) p = word(5);
        const SubstringSet set(patterns);
        for (int t = 0; t < 10; ++t) {
            const std::string text = word(20);
            const bool expected = PlainScan(patterns, text);
            hits += expected;
            ASSERT_EQ(set.OccursIn(text), expected) << round << " " << text;
        }
    }
    EXPECT_GT(hits, 2000);  // both answers well exercised
    EXPECT_LT(hits, 18000);
}

}  // namespace
}  // namespace quillset::selection
