#include "model/tsv_import.h"

#include <gtest/gtest.h>

#include <map>

#include "exports/tsv_export.h"
#include "model/conversion.h"
#include "model/definition_blocks.h"
#include "platform/text_file.h"
#include "support/fake_host.h"
#include "support/text_lines.h"

namespace quillset::model {
namespace {

using Lines = std::vector<std::string>;

Lines Convert(const Lines& lines) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    testing::FakeHost host;
    return *ConvertSourceLines(views, SourceKind::Tab, host);
}

// Header -> its numbered settings in number order, the last of a number
// winning: what a preferences table carries of each preference block.
std::map<std::string, std::map<int, std::string>> NumberedSettings(const Lines& lines) {
    std::map<std::string, std::map<int, std::string>> blocks;
    std::map<int, std::string>* current = nullptr;
    for (const auto& line : lines) {
        if (IsHeaderLine(line)) {
            current = CategoryOf(line) == Category::Preference ? &blocks[line] : nullptr;
        } else if (const auto k = LineNumber(line); current && k && *k >= 0 && *k <= 499) {
            (*current)[*k] = line;
        }
    }
    return blocks;
}

TEST(TsvImport, ColumnsBecomeBlocksTopToBottom) {
    EXPECT_EQ(Convert({"[ A ]\t\t [ not a header ]", "000a=1\t[ B ]", "\t000b=1\t001c=1", "001a=1"}),
                (Lines{"", "[ A ]", "000a=1", "001a=1", "", "[ B ]", "000b=1", " [ not a header ]", "001c=1"}));
}

TEST(TsvImport, ExportedTablesComeBackWithEveryColumn) {
    // 300 blocks: wider than any fixed column limit.
    Lines ini;
    for (int b = 0; b < 300; ++b) {
        ini.push_back("[ Preferences - P" + std::to_string(b) + " ]");
        for (int k = b % 7; k < 480; k += 37 + b % 5) ini.push_back(std::to_string(100 + k).substr(0, 3) + "K" + std::to_string(b) + "=v");
        ini.push_back("005K=later");
        ini.push_back("NoNumber=1");
    }
    const auto read = platform::ReadTextLines(QUILLSET_SAMPLES_DIR "/office_standard.ini");
    ASSERT_TRUE(read.ok);
    const Lines sample = testing::Strings(read.text.lines);
    for (const Lines& source : {ini, sample}) {
        const Lines back = Convert(exports::TsvExportLines(source).lines);
        EXPECT_EQ(NumberedSettings(back), NumberedSettings(source));
    }
    EXPECT_EQ(NumberedSettings(ini).size(), 300u);
}

}  // namespace
}  // namespace quillset::model
