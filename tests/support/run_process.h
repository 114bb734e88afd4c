#pragma once
// Runs a program with standard input from /dev/null; returns its exit status
// (-1 when it did not exit normally), standard output and standard error.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillset::testing {

struct ProcessResult {
    int status = -1;
    std::string out, err;
};

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

}  // namespace quillset::testing
