#include "model/definition_blocks.h"

#include <algorithm>
#include <array>

namespace quillset::model {

namespace {

// A table, because sorting large header lists folds every byte it compares.
constexpr std::array<unsigned char, 256> kFold = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool upper = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(upper ? c + 0x20 : c);
    }
    return table;
}();

unsigned char Fold(char c) { return kFold[static_cast<unsigned char>(c)]; }

}  // namespace

unsigned char FoldByte(char c) { return Fold(c); }

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Fold(a[i]);
        const unsigned char y = Fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(Fold(c));
    return folded;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

bool ContainsIgnoringCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return true;
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                [](char x, char y) { return Fold(x) == Fold(y); });
    return it != haystack.end();
}

bool KeywordLess(std::string_view a, std::string_view b) {
    if (const int c = CompareIgnoringCase(a, b); c != 0) return c < 0;
    return a < b;
}

bool IsHeaderLine(std::string_view line) { return !line.empty() && line.front() == '['; }

std::string_view HeaderType(std::string_view header) {
    std::string_view text = Trim(header);
    if (const auto open = text.find('['); open != std::string_view::npos)
        text = text.substr(open + 1);
    text = Trim(text);
    if (const auto dash = text.find('-'); dash != std::string_view::npos && dash >= 1)
        text = text.substr(0, dash);
    return Trim(text);
}

std::string_view HeaderName(std::string_view header) {
    std::string_view text = Trim(header);
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) return text;
    text = Trim(text.substr(dash + 1));
    if (const auto close = text.find(']'); close != std::string_view::npos)
        text = text.substr(0, close);
    return Trim(text);
}

bool IsFilterHeader(std::string_view header) { return ContainsIgnoringCase(header, "Filter"); }

bool IsFeatureHeader(std::string_view header) {
    return ContainsIgnoringCase(header, "[Feature") || ContainsIgnoringCase(header, "[ Feature") ||
           ContainsIgnoringCase(header, "[  Feature");
}

bool IsSymbolHeader(std::string_view header) {
    return EqualsIgnoringCase(HeaderType(header), "Named Symbology");
}

bool IsWysiwygHeader(std::string_view header) { return ContainsIgnoringCase(header, "Wysiwyg"); }

Category CategoryOf(std::string_view header) {
    // Every header of a file passes here: fold it once and search the folded
    // text, instead of folding it again for each word. The words are lower
    // case already, and no other byte folds onto their letters.
    char stack[256];
    std::string heap;
    char* folded = stack;
    if (header.size() > sizeof stack) {
        heap.resize(header.size());
        folded = heap.data();
    }
    for (std::size_t i = 0; i < header.size(); ++i) folded[i] = static_cast<char>(Fold(header[i]));
    const std::string_view text(folded, header.size());
    const auto has = [&](std::string_view word) { return text.find(word) != std::string_view::npos; };
    if (has("filter")) return Category::Filter;
    if (has("[feature") || has("[ feature") || has("[  feature")) return Category::Feature;
    if (IsSymbolHeader(header)) return Category::Symbol;
    if (has("wysiwyg")) return Category::Wysiwyg;
    return Category::Preference;
}

std::string_view CategoryWord(Category category) {
    switch (category) {
        case Category::Filter: return "Filter";
        case Category::Feature: return "Feature";
        case Category::Symbol: return "Symbol";
        case Category::Wysiwyg: return "Wysiwyg";
        case Category::Preference: break;
    }
    return "Preference";
}

std::string_view HeaderCategory(std::string_view header) { return CategoryWord(CategoryOf(header)); }

std::string_view TrimLineEnd(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0) {
        const auto c = static_cast<unsigned char>(line[end - 1]);
        if (c == ' ' || c == ',' || c <= 8) {
            --end;
        } else {
            break;
        }
    }
    return line.substr(0, end);
}

std::optional<int> LineNumber(std::string_view line) {
    std::string_view digits = Trim(line.substr(0, 3));
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace quillset::model
