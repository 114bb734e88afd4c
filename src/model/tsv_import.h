#pragma once
// Reading a TAB-separated (.txt) source back into INI text: each column of
// the preferences table holds one block from top to bottom.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillset::model {

// The non-empty cells of each column, top to bottom; views into `lines`.
// Every column is kept, however many there are.
using TabColumns = std::vector<std::vector<std::string_view>>;

TabColumns ReadTabSource(std::span<const std::string_view> lines);

// What the conversion file holds: column by column, a header cell preceded
// by an empty line, every other non-empty cell as it stands.
std::vector<std::string> WriteTabConversion(const TabColumns& columns);

}  // namespace quillset::model
