#pragma once
// Where the line terminators of a text lie: the one hand-tuned piece of line
// splitting, sixteen bytes tested at a time where the processor allows, kept
// behind a plain function so no processor intrinsics reach the headers.

#include <cstddef>
#include <cstdint>

namespace quillset::platform {

// The most bytes FindLineEnds looks at in one call.
inline constexpr std::size_t kLineEndSpan = 4096;

// Writes the offset of every CR and LF among the `size` bytes at `bytes`
// (at most kLineEndSpan) to `ends`, in order, and returns how many there
// are. A CR and the LF after it are two terminators here; pairing them is
// the caller's business.
std::size_t FindLineEnds(const char* bytes, std::size_t size, std::uint16_t* ends);

}  // namespace quillset::platform
