#pragma once
// Runs a program with standard input from the null device; returns its exit
// status (-1 when it did not exit normally), standard output and standard
// error. Arguments are UTF-8.

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/system.h"

namespace quillset::testing {

struct ProcessResult {
    int status = -1;
    std::string out, err;
};

#if defined(_WIN32)
namespace detail {
// One argument as CommandLineToArgvW splits it again: quoted, backslashes
// doubled only before a quote.
inline void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    line += L'"';
    std::size_t slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
        } else {
            line.append(c == L'"' ? slashes * 2 + 1 : slashes, L'\\');
            slashes = 0;
        }
        if (c != L'\\') line += c;
    }
    line.append(slashes * 2, L'\\');
    line += L'"';
}
}  // namespace detail

// The address-space limit has no Windows counterpart: `addressLimit` must be 0.
inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const std::string& scratchDir, std::uint64_t addressLimit = 0) {
    ProcessResult result;
    if (addressLimit != 0) return result;
    (void)scratchDir;
    // Output goes to temporary files that vanish once closed: nothing is left
    // in the folder the test looks at, even while the child's handle lingers.
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE outputs[2];
    for (int i = 0; i < 2; ++i) {
        wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, folder);
        GetTempFileNameW(folder, L"qst", 0, name);
        outputs[i] = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    const std::wstring exe = platform::FsPath(program).wstring();
    std::wstring line;
    detail::AppendQuoted(line, exe);
    for (const auto& a : args) {
        line += L' ';
        detail::AppendQuoted(line, platform::FsPath(a).wstring());
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = outputs[0];
    startup.hStdError = outputs[1];
    PROCESS_INFORMATION process{};
    if (in != INVALID_HANDLE_VALUE && outputs[0] != INVALID_HANDLE_VALUE && outputs[1] != INVALID_HANDLE_VALUE &&
        CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                       &startup, &process)) {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code))
            result.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::string* texts[] = {&result.out, &result.err};
    for (int i = 0; i < 2; ++i) {
        if (outputs[i] == INVALID_HANDLE_VALUE) continue;
        SetFilePointer(outputs[i], 0, nullptr, FILE_BEGIN);
        char buffer[1 << 16];
        DWORD got = 0;
        while (ReadFile(outputs[i], buffer, sizeof buffer, &got, nullptr) && got > 0) texts[i]->append(buffer, got);
        CloseHandle(outputs[i]);
    }
    if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
    return result;
}
#else

// `addressLimit`, when given, is the child's address-space limit in bytes
// (set between fork and exec, which posix_spawn cannot do).
inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const std::string& scratchDir, std::uint64_t addressLimit = 0) {
    const std::string paths[] = {scratchDir + "/.stdout", scratchDir + "/.stderr"};
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ProcessResult result;
    pid_t pid = 0;
    int wstatus = 0;
    if (addressLimit == 0) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        for (int fd : {1, 2})
            posix_spawn_file_actions_addopen(&actions, fd, paths[fd - 1].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), nullptr) != 0) pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    } else if ((pid = fork()) == 0) {
        // Only async-signal-safe calls between fork and exec.
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(paths[0].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(paths[1].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const rlimit limit{static_cast<rlim_t>(addressLimit), static_cast<rlim_t>(addressLimit)};
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(127);
        for (int fd : {in, out, err})
            if (fd > 2) close(fd);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
    for (std::string* text : {&result.out, &result.err}) {
        const std::string& path = paths[text == &result.out ? 0 : 1];
        std::ifstream in(path, std::ios::binary);
        text->assign(std::istreambuf_iterator<char>(in), {});
        std::remove(path.c_str());
    }
    return result;
}
#endif

}  // namespace quillset::testing
