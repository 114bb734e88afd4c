#pragma once
// The Host of quillset-batch: the window's messages go to standard error with
// their exact text; its questions are asked on the terminal when standard
// input is one, and otherwise answered the way that keeps the user's data.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace quillset::batch {

class BatchHost : public Host {
public:
    struct Answers {
        bool yes = false;     // --yes: never ask, take the data-keeping answer
        bool strict = false;  // --strict: a question stops the command
    };

    explicit BatchHost(std::FILE* err = stderr, std::FILE* in = stdin) : err_(err), in_(in) {}
    void SetAnswers(Answers answers) { answers_ = answers; }

    void Inform(std::string_view message) override;
    // The level-number warning: OK keeps the rows (Cancel would end the run).
    bool AskOkCancel(std::string_view message) override;
    // The "Close" question: No keeps the test file's own blocks.
    bool AskYesNo(std::string_view message) override;
    // The script tool keeps its output in memory and never needs these.
    std::optional<std::string> ChooseTempFileName(const std::string&) override { return std::nullopt; }
    void ShowResultsFile(const std::string&) override {}
    // Work longer than half a second shows its percentage on one line of
    // standard error when that is a terminal; scripts see nothing of it.
    bool Progress(std::string_view task, std::uint64_t done, std::uint64_t total) override;

    // A question met --strict: the command must fail without writing output.
    bool Stopped() const { return stopped_; }

private:
    bool Ask(std::string_view message, std::string_view yes, std::string_view no, bool keep);
    void ClearProgress();

    std::FILE* err_;
    std::FILE* in_;
    Answers answers_;
    bool stopped_ = false;
    std::chrono::steady_clock::time_point taskStart_{};
    int shownPercent_ = -1;
    std::size_t shownWidth_ = 0;  // of the progress line on the terminal, 0 when none
};

}  // namespace quillset::batch
