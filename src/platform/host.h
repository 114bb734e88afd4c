#pragma once
// What the core needs from whoever runs it: the user-facing messages and
// questions, and the two windows the core can call up. The Qt program
// implements it with real windows; tests fake it and record what was said.
//
// Every message box carries the title "Quillset". Texts are raw bytes as the
// core holds them (file content is single-byte text; paths are the file
// system's bytes).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillset {

class Host {
public:
    virtual ~Host() = default;

    // A message with a single OK button.
    virtual void Inform(std::string_view message) = 0;
    // OK/Cancel; true for OK.
    virtual bool AskOkCancel(std::string_view message) = 0;
    // Yes/No; true for Yes.
    virtual bool AskYesNo(std::string_view message) = 0;

    // The temporary file `current` could not be created: ask the user for
    // another full path (the temporary-file window). nullopt when the user
    // closed the window without confirming a name.
    virtual std::optional<std::string> ChooseTempFileName(const std::string& current) = 0;

    // Output has been written to `path`: bring the Results window to the
    // front and load the file into it, replacing what it showed.
    virtual void ShowResultsFile(const std::string& path) = 0;

    // Long work (`task`, a line of text) has done `done` of `total` units;
    // done == total when it is over, however it ended. False asks the work
    // to stop (the user cancelled it). Work goes on where nobody watches.
    virtual bool Progress(std::string_view task, std::uint64_t done, std::uint64_t total) {
        (void)task, (void)done, (void)total;
        return true;
    }
};

}  // namespace quillset
