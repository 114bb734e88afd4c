#pragma once
// Which fields of two paired lines differ, so the confirmation window can
// mark them: the key before the first "=" and each value between commas,
// paired by position.

#include <cstddef>
#include <string_view>
#include <vector>

namespace quillset::compare {

// A byte range [begin, end) of a line; the "=" and "," between fields are
// never part of one.
struct FieldSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const FieldSpan&) const = default;
};

struct FieldMarks {
    std::vector<FieldSpan> control;
    std::vector<FieldSpan> test;
};

// The fields that differ, exactly (letter case counts), on each side; a field
// the other line does not have differs. A line against an empty cell has no
// marks: the whole row differs and is shown so.
FieldMarks DifferingFields(std::string_view control, std::string_view test);

}  // namespace quillset::compare
