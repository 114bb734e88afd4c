#include "model/prefix_sort.h"

#include "model/definition_blocks.h"

namespace quillset::model {

TextPrefix PrefixOf(std::string_view text, bool fold) {
    std::uint64_t words[2] = {0, 0};
    for (std::size_t i = 0; i < 16; ++i) {
        unsigned char byte = 0;
        if (i < text.size()) byte = fold ? FoldByte(text[i]) : static_cast<unsigned char>(text[i]);
        words[i / 8] = words[i / 8] << 8 | byte;
    }
    return {words[0], words[1]};
}

}  // namespace quillset::model
