// The game folder from the executable's own path.
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

}  // namespace rw::win32
