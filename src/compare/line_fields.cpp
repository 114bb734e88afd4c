#include "compare/line_fields.h"

#include <algorithm>

namespace quillset::compare {

namespace {

std::vector<FieldSpan> Fields(std::string_view line) {
    std::vector<FieldSpan> fields;
    std::size_t begin = 0;
    const std::size_t equals = line.find('=');
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ',' || i == equals) {
            fields.push_back({begin, i});
            begin = i + 1;
        }
    }
    return fields;
}

std::string_view Text(std::string_view line, FieldSpan span) {
    return line.substr(span.begin, span.end - span.begin);
}

}  // namespace

FieldMarks DifferingFields(std::string_view control, std::string_view test) {
    FieldMarks marks;
    if (control.empty() || test.empty() || control == test) return marks;
    const std::vector<FieldSpan> c = Fields(control);
    const std::vector<FieldSpan> t = Fields(test);
    // A key is paired with a key and a value with a value: a line without "="
    // has no key field.
    const bool cKeyed = control.find('=') != std::string_view::npos;
    const bool tKeyed = test.find('=') != std::string_view::npos;
    for (std::size_t k = 0; k < std::max(c.size(), t.size()); ++k) {
        const bool inC = k < c.size(), inT = k < t.size();
        const bool same = inC && inT && cKeyed == tKeyed && Text(control, c[k]) == Text(test, t[k]);
        if (same) continue;
        // An empty field marks nothing that can be seen; its counterpart does.
        if (inC && c[k].end > c[k].begin) marks.control.push_back(c[k]);
        if (inT && t[k].end > t[k].begin) marks.test.push_back(t[k]);
    }
    return marks;
}

}  // namespace quillset::compare
