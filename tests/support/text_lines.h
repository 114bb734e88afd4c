#pragma once
// Lines given as owned strings, turned into the one buffer and line views the
// core works on, and views copied back out for comparing.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace quillset::testing {

inline platform::TextLines TextOf(const std::vector<std::string>& lines) {
    return platform::JoinLines(lines);
}

inline std::vector<std::string> Strings(std::span<const std::string_view> views) {
    return {views.begin(), views.end()};
}

}  // namespace quillset::testing
