#include "exports/tsv_export.h"

#include <gtest/gtest.h>


namespace quillset::exports {
namespace {

using Lines = std::vector<std::string>;

TEST(TsvExport, BlocksSideBySideEachSettingInTheRowOfItsNumber) {
    const TsvExport t = TsvExportLines({"before=1", "[ P1 ]", "000A=1", "", "002C=3", "002C=4", "x=9", "500Z=1",
                                        "[ Feature Style - F ]", "001F=1", "[ WYSIWYG - W ]", "000W=1", "[ P2 ]",
                                        "001B=2"});
    EXPECT_EQ(t.lines, (Lines{"[ P1 ]\t[ Feature Style - F ]\t[ WYSIWYG - W ]\t[ P2 ]", "000A=1\t\t\t",
                              "\t\t\t001B=2", "002C=4\t\t\t", ""}));
    EXPECT_EQ(t.messages, (Lines{"# of Preferences: 4\nMax # of Preflines: 4", "ary2DPref() = (4,4)"}));
}

TEST(TsvExport, FixedHeadersWarnEachTimeAndStillGetAColumn) {
    const TsvExport t = TsvExportLines({"[ Recent Files List ]", "000F=a", "[ Main Window Position ]",
                                        "[ Recent Files List ]", "[ recent files list ]",
                                        "[ Dialog Boxes - Position Information ]",
                                        "[ ToolBar - Control Information ]"});
    const auto warn = [](const std::string& h) { return "Please delete the block titled " + h + " from the input file and Retry"; };
    EXPECT_EQ(t.messages, (Lines{warn("[ Recent Files List ]"), warn("[ Main Window Position ]"),
                                 warn("[ Recent Files List ]"), warn("[ Dialog Boxes - Position Information ]"),
                                 warn("[ ToolBar - Control Information ]"),
                                 "# of Preferences: 6\nMax # of Preflines: 2", "ary2DPref() = (6,2)"}));
    EXPECT_EQ(t.lines[1], "000F=a\t\t\t\t\t");
}

}  // namespace
}  // namespace quillset::exports
