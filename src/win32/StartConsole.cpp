// Reaching the starter's console from a GUI program.
#include "StartConsole.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "Utf16.h"

namespace rw::win32 {

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> words(CommandLineToArgvW(GetCommandLineW(), &count),
                                                              &LocalFree);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i) {
        args.push_back(Narrow(words.get()[i]));
    }
    return args;
}

bool WriteToStarter(std::string_view text, bool toError) {
    HANDLE out = GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    HANDLE console = INVALID_HANDLE_VALUE;
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
            return false;
        }
        console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
        if (console == INVALID_HANDLE_VALUE) {
            return false;
        }
        out = console;
    }
    bool written = false;
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        // A console shows UTF-16 as given, whatever its code page.
        const std::wstring wide = Widen(text);
        DWORD done = 0;
        written = WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr) != 0;
    } else {
        DWORD done = 0;
        written = WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) != 0 &&
                  done == text.size();
    }
    if (console != INVALID_HANDLE_VALUE) {
        CloseHandle(console);
    }
    return written;
}

}  // namespace rw::win32
