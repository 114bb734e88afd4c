#pragma once
// How preference text is cut into definition blocks: header lines, block
// types, keywords and categories. Pure functions of one line of raw bytes.
//
// "Trim" always means removing leading and trailing space characters (32)
// only; a TAB is not trimmed. Case-insensitive comparisons fold the letters
// of single-byte text as the windows show it (Latin-1): A-Z and the accented
// capitals.

#include <optional>
#include <string>
#include <string_view>

namespace quillset::model {

enum class Category { Filter, Feature, Symbol, Wysiwyg, Preference };

std::string_view Trim(std::string_view text);
// Negative, zero or positive as `a` sorts before, with or after `b` when
// case is ignored (A-Z and 0xC0-0xDE but 0xD7 fold to lower case); a prefix
// sorts first.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// The text with the letters CompareIgnoringCase folds folded: a plain byte
// comparison of folded texts orders them as CompareIgnoringCase does.
std::string FoldCase(std::string_view text);
// One byte as CompareIgnoringCase folds it.
unsigned char FoldByte(char c);
bool ContainsIgnoringCase(std::string_view haystack, std::string_view needle);
// The order of the keyword lists: ignoring case, with an exact byte
// comparison breaking ties so the order is total and stable.
bool KeywordLess(std::string_view a, std::string_view b);

// True when the very first character is "[" (no trimming first).
bool IsHeaderLine(std::string_view line);
// These and TrimLineEnd return views into their argument, which must
// outlive them.
// Text between the first "[" and the first "-", trimmed.
std::string_view HeaderType(std::string_view header);
// The keyword: text after the first "-" up to the next "]", trimmed.
std::string_view HeaderName(std::string_view header);

bool IsFilterHeader(std::string_view header);
bool IsFeatureHeader(std::string_view header);
bool IsSymbolHeader(std::string_view header);
bool IsWysiwygHeader(std::string_view header);
// The category tests tried in their fixed order: Filter, Feature, Symbol,
// Wysiwyg, otherwise Preference.
Category CategoryOf(std::string_view header);
// "Filter", "Feature", "Symbol", "Wysiwyg" or "Preference".
std::string_view CategoryWord(Category category);
std::string_view HeaderCategory(std::string_view header);

// Drops trailing spaces, commas and control characters 0-8: a prefix of
// `line`.
std::string_view TrimLineEnd(std::string_view line);

// The number of a numbered body line ("003PlanLineSymbology=..." gives 3):
// its first three characters read as a whole number (blanks around it and a
// sign allowed), or nullopt.
std::optional<int> LineNumber(std::string_view line);

}  // namespace quillset::model
