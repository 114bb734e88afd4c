#include "selection/substring_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quillset::selection {
namespace {

// Small alphabets make overlapping and nested patterns common, where failure
// links go wrong; a byte above 127 checks that none is taken as signed.
TEST(SubstringSet, AgreesWithTryingEachPatternOnRandomInputs) {
    std::mt19937 random(12);
    auto word = [&](std::size_t maxLength) {
        std::string w(random() % (maxLength + 1), ' ');
        for (char& c : w) c = "ab[- \xE9"[random() % 6];
        return w;
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> patterns(random() % 6);
        for (auto& p : patterns) p = word(5);
        const std::string text = word(20);
        const bool expected = std::any_of(patterns.begin(), patterns.end(),
                                          [&](const std::string& p) { return text.find(p) != std::string::npos; });
        ASSERT_EQ(SubstringSet({patterns.begin(), patterns.end()}).OccursIn(text), expected) << round << " " << text;
    }
}

}  // namespace
}  // namespace quillset::selection
