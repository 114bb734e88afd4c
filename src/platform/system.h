#pragma once
// What differs between the systems the batch tool runs on: names are UTF-8
// bytes inside and widened only here on Windows; streams are binary so the
// bytes written are the bytes asked for.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace quillset::platform {

// A path the standard library takes as the name the user typed.
std::filesystem::path FsPath(const std::string& name);
// Back to bytes (UTF-8 on Windows).
std::string NameOf(const std::filesystem::path& path);
std::FILE* OpenFile(const std::string& name, const char* mode);
int RemoveFile(const std::string& name);
// A console the user can answer at; a device such as NUL is none.
bool IsTerminal(std::FILE* stream);
// Standard output and standard error written as they are: no CR added
// before LF, so both carry the same bytes on every system.
void SetBinaryOutput();
// A name that opens a device in every folder on Windows (NUL, CON, aux.ini,
// COM1.txt...); never on other systems, where devices have paths of their own.
bool IsDeviceName(const std::string& name);
// The arguments as typed, in UTF-8; on Windows from the wide command line,
// with `*` and `?` expanded against the folder as a POSIX shell would.
std::vector<std::string> Arguments(int argc, char** argv);
// Runs `cleanup` when the program is interrupted or killed, then ends it.
void OnInterrupt(void (*cleanup)());
// True where names that differ only in case name one file.
constexpr bool kNamesIgnoreCase =
#if defined(_WIN32)
    true;
#else
    false;
#endif
// Two names the system takes for one file, for safety checks.
bool SameName(const std::string& a, const std::string& b);

}  // namespace quillset::platform
