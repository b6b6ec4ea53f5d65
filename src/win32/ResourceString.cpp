// Reading the string table resource that the build generates from the program's one table.
#include "ResourceString.h"

#include <windows.h>

namespace rw::win32 {

std::wstring ResourceString(int id) {
    // With a zero buffer size LoadStringW hands out the resource's own read-only text.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<std::size_t>(length))
                                         : std::wstring();
}

std::wstring WithoutMnemonic(std::wstring_view label) {
    std::wstring shown;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size()) {
            ++i;
        }
        shown += label[i];
    }
    return shown;
}

}  // namespace rw::win32
