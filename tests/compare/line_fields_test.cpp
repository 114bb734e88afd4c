#include "compare/line_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace quillset::compare {
namespace {

// The marked fields of each side, "|" between them, "/" between the sides.
std::string Marked(std::string_view control, std::string_view test) {
    const FieldMarks marks = DifferingFields(control, test);
    auto join = [](std::string_view line, const std::vector<FieldSpan>& spans) {
        std::string s;
        for (const FieldSpan& f : spans)
            s += (s.empty() ? "" : "|") + std::string(line.substr(f.begin, f.end - f.begin));
        return s;
    };
    return join(control, marks.control) + "/" + join(test, marks.test);
}

TEST(DifferingFields, MarksTheKeyAndTheValuesThatDifferByPosition) {
    EXPECT_EQ(Marked("004PlanText=L,1,0,0,3,2.5,2.5,1", "004PlanText=L,1,0,0,3,2.5,2.0,1"), "2.5/2.0");
    EXPECT_EQ(Marked("A=Standard,2", "B=Standard,2"), "A/B");
    EXPECT_EQ(Marked("A=x,Curb", "A=x,curb"), "Curb/curb");  // letter case counts
    // A field the other side lacks differs; an empty one marks nothing.
    EXPECT_EQ(Marked("A=1,2,3", "A=1"), "2|3/");
    EXPECT_EQ(Marked("A=1,,3", "A=1,2,3"), "/2");
    // A value is never paired with a key.
    EXPECT_EQ(Marked("x,y", "A=x,y"), "x|y/A|x|y");
    EXPECT_EQ(Marked("[ P - C ]", "[ P - C x ]"), "[ P - C ]/[ P - C x ]");
}

TEST(DifferingFields, NothingToMarkForEqualLinesOrAnEmptyCell) {
    EXPECT_EQ(Marked("A=1,2", "A=1,2"), "/");
    EXPECT_EQ(Marked("A=1,2", ""), "/");
    EXPECT_EQ(Marked("", "A=1"), "/");
    const FieldMarks m = DifferingFields("Key=a,b", "Key=a,c");
    ASSERT_EQ(m.control.size(), 1u);
    EXPECT_EQ(m.control[0], (FieldSpan{6, 7}));
}

}  // namespace
}  // namespace quillset::compare
