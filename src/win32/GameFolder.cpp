// The executable's own folder and full paths, from the system.
#include "GameFolder.h"

#include <windows.h>

#include <vector>

#include "Utf16.h"

namespace rw::win32 {

std::string GameFolder() {
    // Long paths exceed MAX_PATH: grow the buffer until the whole path fits.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            std::wstring_view full(path.data(), length);
            return Narrow(full.substr(0, full.rfind(L'\\') + 1));
        }
        path.resize(path.size() * 2);
    }
}

std::string FullPath(const std::string& path) {
    const std::wstring given = Widen(path);
    // The first call says how long the full path is (with its terminator), the second fills it in.
    const DWORD size = given.empty() ? 0 : GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return Narrow(full);
}

}  // namespace rw::win32
