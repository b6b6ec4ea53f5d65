// The game folder's platform side on Windows.
#include "Win32GameFolderHost.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "Utf16.h"

namespace rw::win32 {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Routewright";
constexpr wchar_t kGameFolderValue[] = L"GameFolder";

struct IdListFree {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

bool Win32GameFolderHost::IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::string> Win32GameFolderHost::RememberedFolder() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kGameFolderValue, RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring folder(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kGameFolderValue, RRF_RT_REG_SZ, nullptr, folder.data(),
                     &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    folder.resize(wcsnlen(folder.c_str(), folder.size()));
    if (folder.empty()) {
        return std::nullopt;
    }
    return Narrow(folder);
}

void Win32GameFolderHost::RememberFolder(const std::string& folder) {
    const std::wstring value = Widen(folder);
    // Not remembering only means asking again next time; there is nothing better to do about it.
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kGameFolderValue, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::string> Win32GameFolderHost::AskForFolder(std::string_view prompt) {
    // The chooser's resizable form (with its New Folder button) runs on COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring title = Widen(prompt);
    std::optional<std::string> folder;
    {
        BROWSEINFOW browse{};
        browse.lpszTitle = title.c_str();
        browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        const std::unique_ptr<ITEMIDLIST, IdListFree> chosen(SHBrowseForFolderW(&browse));
        // Paths past MAX_PATH are allowed here: the buffer takes the longest a path can be.
        std::vector<wchar_t> path(32768);
        if (chosen && SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()),
                                            GPFIDL_DEFAULT)) {
            folder = Narrow(path.data());
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return folder;
}

}  // namespace rw::win32
