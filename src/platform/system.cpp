#include "platform/system.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace quillset::platform {

namespace {
void (*interruptCleanup)() = nullptr;

void OnSignal(int signal) {
    if (interruptCleanup) interruptCleanup();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#if defined(_WIN32)
std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

BOOL WINAPI OnConsoleEvent(DWORD) {
    if (interruptCleanup) interruptCleanup();
    return FALSE;  // the default handler ends the process
}

// The names in the folder of `pattern` that match it, sorted by bytes; the
// pattern itself when nothing does, as bash leaves it.
void Expand(const std::string& pattern, std::vector<std::string>& out) {
    const std::size_t slash = pattern.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
    std::vector<std::string> found;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(Widen(pattern).c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Narrow(data.cFileName);
            if (name[0] != '.') found.push_back(folder + name);
        } while (FindNextFileW(h, &data));
        FindClose(h);
    }
    if (found.empty()) {
        out.push_back(pattern);
        return;
    }
    std::sort(found.begin(), found.end());
    out.insert(out.end(), found.begin(), found.end());
}
#endif
}  // namespace

#if defined(_WIN32)
std::filesystem::path FsPath(const std::string& name) { return std::filesystem::path(Widen(name)); }
std::string NameOf(const std::filesystem::path& path) { return Narrow(path.wstring()); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return _wfopen(Widen(name).c_str(), Widen(mode).c_str());
}
int RemoveFile(const std::string& name) { return _wremove(Widen(name).c_str()); }

bool IsTerminal(std::FILE* stream) {
    DWORD mode = 0;
    return GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))), &mode) != 0;
}

void SetBinaryOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(name.find_last_of("/\\:") + 1);
    base = base.substr(0, base.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    // COM1 to COM9 and LPT1 to LPT9, and with the superscript digits 1, 2, 3 (UTF-8).
    const std::string port = base.substr(0, 3);
    if (port != "COM" && port != "LPT") return false;
    const std::string digit = base.substr(3);
    return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" || digit == "\xC2\xB2" ||
           digit == "\xC2\xB3";
}

std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
        const std::string arg = Narrow(wide[i]);
        if (i > 0 && arg.find_first_of("*?") != std::string::npos)
            Expand(arg, args);
        else
            args.push_back(arg);
    }
    LocalFree(wide);
    return args;
}

void OnInterrupt(void (*cleanup)()) {
    interruptCleanup = cleanup;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    for (int s : {SIGINT, SIGTERM}) std::signal(s, OnSignal);
}

bool SameName(const std::string& a, const std::string& b) {
    std::wstring x = Widen(a), y = Widen(b);
    CharUpperBuffW(x.data(), static_cast<DWORD>(x.size()));
    CharUpperBuffW(y.data(), static_cast<DWORD>(y.size()));
    return x == y;
}
#else
std::filesystem::path FsPath(const std::string& name) { return std::filesystem::path(name); }
std::string NameOf(const std::filesystem::path& path) { return path.string(); }
std::FILE* OpenFile(const std::string& name, const char* mode) { return std::fopen(name.c_str(), mode); }
int RemoveFile(const std::string& name) { return std::remove(name.c_str()); }
bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }
void SetBinaryOutput() {}
bool IsDeviceName(const std::string&) { return false; }
std::vector<std::string> Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void OnInterrupt(void (*cleanup)()) {
    interruptCleanup = cleanup;
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(s, OnSignal);
}

bool SameName(const std::string& a, const std::string& b) { return a == b; }
#endif

}  // namespace quillset::platform
