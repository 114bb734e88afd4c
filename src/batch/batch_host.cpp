#include "batch/batch_host.h"

#include "platform/system.h"

#include <cctype>
#include <string>

namespace quillset::batch {

namespace {

bool SameWord(std::string_view typed, std::string_view word) {
    if (typed.empty() || typed.size() > word.size()) return false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(typed[i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    }
    return true;  // a prefix will do: "y", "c", "ok"
}

std::string ReadLine(std::FILE* in, bool* eof) {
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n') line += static_cast<char>(c);
    *eof = c == EOF && line.empty();
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.erase(0, 1);
    return line;
}

}  // namespace

void BatchHost::Inform(std::string_view message) {
    ClearProgress();
    std::fwrite(message.data(), 1, message.size(), err_);
    std::fputc('\n', err_);
    std::fflush(err_);
}

bool BatchHost::Progress(std::string_view task, std::uint64_t done, std::uint64_t total) {
    using namespace std::chrono_literals;
    if (done >= total) {
        ClearProgress();
        taskStart_ = {};
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (taskStart_ == std::chrono::steady_clock::time_point{}) taskStart_ = now;
    if (now - taskStart_ < 500ms || !platform::IsTerminal(err_)) return true;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == shownPercent_ && shownWidth_ != 0) return true;
    const std::string line = std::string(task) + ": " + std::to_string(percent) + "%";
    std::fprintf(err_, "\r%s", line.c_str());
    std::fflush(err_);
    shownPercent_ = percent;
    shownWidth_ = line.size();
    return true;
}

void BatchHost::ClearProgress() {
    if (shownWidth_ == 0) return;
    std::fprintf(err_, "\r%s\r", std::string(shownWidth_, ' ').c_str());
    std::fflush(err_);
    shownWidth_ = 0;
    shownPercent_ = -1;
}

bool BatchHost::AskOkCancel(std::string_view message) { return Ask(message, "OK", "Cancel", true); }

bool BatchHost::AskYesNo(std::string_view message) { return Ask(message, "Yes", "No", false); }

bool BatchHost::Ask(std::string_view message, std::string_view yes, std::string_view no, bool keep) {
    const std::string_view kept = keep ? yes : no;
    Inform(message);
    if (answers_.strict) {
        stopped_ = true;
        Inform("Stopped by --strict: this question needs an answer.");
        return keep;
    }
    if (!answers_.yes && platform::IsTerminal(in_)) {
        for (;;) {
            std::fprintf(err_, "[%.*s/%.*s]? ", static_cast<int>(yes.size()), yes.data(),
                         static_cast<int>(no.size()), no.data());
            std::fflush(err_);
            bool eof = false;
            const std::string typed = ReadLine(in_, &eof);
            if (eof) break;  // no answer to be had: keep the data
            if (SameWord(typed, yes)) return true;
            if (SameWord(typed, no)) return false;
        }
    }
    Inform("Answered \"" + std::string(kept) + "\", which keeps the data.");
    return keep;
}

}  // namespace quillset::batch
