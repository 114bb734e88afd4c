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
    std::fwrite(message.data(), 1, message.size(), err_);
    std::fputc('\n', err_);
    std::fflush(err_);
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
