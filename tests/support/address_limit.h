#pragma once
// Running out of memory on purpose: a lowered address-space limit for a
// child process, and a source that needs far more memory than its size.

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLSET_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLSET_TEST_ASAN 1
#endif
#endif

namespace quillset::testing {

#if defined(QUILLSET_TEST_ASAN) || defined(_WIN32)
inline constexpr bool kAddressLimitWorks = false;
#else
inline constexpr bool kAddressLimitWorks = true;
#endif
inline constexpr const char* kNoAddressLimit =
    "no address-space limit here: AddressSanitizer maps terabytes of shadow memory, and Windows has no RLIMIT_AS";

// Lets this process map only `extra` bytes more than it maps now.
inline bool LimitAddressSpace(std::uint64_t extra) {
#if defined(_WIN32)
    (void)extra;
    return false;
#else
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const auto bytes = static_cast<rlim_t>(pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + extra);
    const rlimit limit{bytes, bytes};
    return pages != 0 && ::setrlimit(RLIMIT_AS, &limit) == 0;
#endif
}

// One block of `lines` five-byte lines: loaded, each line costs a view in
// its category array and another in the working lines, over six times its
// bytes.
inline std::string HugeSource(std::size_t lines) {
    std::string text = "[ Feature Style - Huge ]\r\n";
    text.reserve(text.size() + lines * 5);
    for (std::size_t i = 0; i < lines; ++i) text += "k=1\r\n";
    return text;
}

}  // namespace quillset::testing
