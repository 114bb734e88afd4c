#pragma once
// Runs a program with standard input from /dev/null; returns its exit status
// (-1 when it did not exit normally), standard output and standard error.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillset::testing {

struct ProcessResult {
    int status = -1;
    std::string out, err;
};

inline ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                                const std::string& scratchDir) {
    const std::string paths[] = {scratchDir + "/.stdout", scratchDir + "/.stderr"};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    for (int fd : {1, 2})
        posix_spawn_file_actions_addopen(&actions, fd, paths[fd - 1].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ProcessResult result;
    pid_t pid = 0;
    int wstatus = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), nullptr) == 0 &&
        waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        result.status = WEXITSTATUS(wstatus);
    posix_spawn_file_actions_destroy(&actions);
    for (std::string* text : {&result.out, &result.err}) {
        const std::string& path = paths[text == &result.out ? 0 : 1];
        std::ifstream in(path, std::ios::binary);
        text->assign(std::istreambuf_iterator<char>(in), {});
        std::remove(path.c_str());
    }
    return result;
}

}  // namespace quillset::testing
