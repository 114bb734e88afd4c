#pragma once
// Memory running out ends one command, not the program: the window's actions
// and the script tool's commands run their work through WithinMemory.

#include <new>
#include <string_view>
#include <utility>

#include "platform/host.h"
#include "platform/progress.h"

namespace quillset {

inline constexpr std::string_view kOutOfMemoryMessage =
    "The file is too large for the memory available; the command was not completed.";

// Runs `command`. When an allocation fails, the unwinding has freed what the
// command held before the host is told, so the message itself has room.
// False then, and also, without a message, when the user cancelled it.
template <class Command>
bool WithinMemory(Host& host, Command&& command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const std::bad_alloc&) {
        host.Inform(kOutOfMemoryMessage);
        return false;
    } catch (const Cancelled&) {
        return false;
    }
}

}  // namespace quillset
