// The command line as UTF-8.
#include "cli/Utf8Arguments.h"

#ifdef _WIN32
// windows.h first: shellapi.h needs its definitions.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#endif

namespace rw::cli {

#ifdef _WIN32
namespace {

std::string ToUtf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace
#endif

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            m_values.push_back(ToUtf8(wide[i]));
        }
        LocalFree(wide);
    }
#endif
    if (m_values.empty()) {
        m_values.assign(argv, argv + argc);
    }
    for (std::string& value : m_values) {
        m_pointers.push_back(value.data());
    }
    m_pointers.push_back(nullptr);
}

}  // namespace rw::cli
