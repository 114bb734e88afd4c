#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <cctype>

#include "support/fake_host.h"

namespace quillset::app {
namespace {

using Names = std::vector<std::string>;

bool FoldedEqual(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

TEST(RecentFiles, NewestFirstTenAtMostAndNoRepeats) {
    Names list;
    for (int i = 1; i <= 12; ++i) AddRecentFile(list, "f" + std::to_string(i) + ".ini");
    ASSERT_EQ(list.size(), kRecentFilesKept);
    EXPECT_EQ(list.front(), "f12.ini");
    EXPECT_EQ(list.back(), "f3.ini");

    AddRecentFile(list, "f7.ini");  // moves up, nothing drops out
    EXPECT_EQ(list.size(), kRecentFilesKept);
    EXPECT_EQ((Names{list[0], list[1], list[5], list[6]}), (Names{"f7.ini", "f12.ini", "f8.ini", "f6.ini"}));

    // Letter case makes another name unless the system folds it; then the
    // newer spelling stands.
    Names short_list{"A.ini"};
    AddRecentFile(short_list, "a.ini");
    EXPECT_EQ(short_list, (platform::kNamesIgnoreCase ? Names{"a.ini"} : Names{"a.ini", "A.ini"}));
    AddRecentFile(short_list, "A.INI", &FoldedEqual);
    EXPECT_EQ(short_list, Names{"A.INI"});
    AddRecentFile(short_list, "");
    EXPECT_EQ(short_list, Names{"A.INI"});
}

TEST(RecentFiles, KeptInTheSettingsAndReadBack) {
    testing::FakeSettings settings;
    EXPECT_TRUE(ReadRecentFiles(settings).empty());
    SaveRecentFiles(settings, {"/a/x.ini", "/b/y.csv", "/a/x.ini"});
    EXPECT_EQ(settings.Read(kRecentSection, "File2", "?"), "/b/y.csv");
    EXPECT_EQ(ReadRecentFiles(settings), (Names{"/a/x.ini", "/b/y.csv"}));
    SaveRecentFiles(settings, {"/c/z.txt"});  // a shorter list leaves nothing stale
    EXPECT_EQ(ReadRecentFiles(settings), Names{"/c/z.txt"});
}

}  // namespace
}  // namespace quillset::app
