// The game folder from the executable's own path, and folders named by the user.
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

std::optional<std::string> FullFolderPath(const std::string& path) {
    const std::wstring given = Widen(path);
    if (given.empty()) {
        return std::nullopt;
    }
    // The first call says how long the full path is (with its terminator), the second fills it in.
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    full.resize(length);
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::nullopt;
    }
    if (full.back() != L'\\') {
        full += L'\\';
    }
    return Narrow(full);
}

}  // namespace rw::win32
