#include "platform/line_ends.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillset::platform {

namespace {

// Bit i set when byte i of the 16 at `p` is a CR or an LF.
unsigned Mask16(const char* p) {
#if defined(__SSE2__)
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n')),
                                      _mm_cmpeq_epi8(block, _mm_set1_epi8('\r')));
    return static_cast<unsigned>(_mm_movemask_epi8(ends));
#else
    unsigned mask = 0;
    for (unsigned i = 0; i < 16; ++i)
        if (p[i] == '\n' || p[i] == '\r') mask |= 1u << i;
    return mask;
#endif
}

}  // namespace

std::size_t FindLineEnds(const char* bytes, std::size_t size, std::uint16_t* ends) {
    // Lines are short, so a search per line (or per terminator kind) costs
    // more than testing every byte sixteen at a time.
    std::size_t count = 0;
    std::size_t at = 0;
    for (; size - at >= 16; at += 16) {
        for (unsigned mask = Mask16(bytes + at); mask != 0; mask &= mask - 1)
            ends[count++] = static_cast<std::uint16_t>(at + static_cast<unsigned>(__builtin_ctz(mask)));
    }
    for (; at < size; ++at)
        if (bytes[at] == '\n' || bytes[at] == '\r') ends[count++] = static_cast<std::uint16_t>(at);
    return count;
}

}  // namespace quillset::platform
