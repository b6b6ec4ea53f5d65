// The editor's host on Win32.
#include "Win32EditorHost.h"

// windows.h first: the common control and dialog headers build on it.
#include <windows.h>

#include <commdlg.h>

#include <array>

#include "AboutDlg.h"
#include "CityPickerDlg.h"
#include "CourseEditorDlg.h"
#include "ResourceString.h"
#include "ScenarioPickerDlg.h"
#include "Utf16.h"
#include "res/StringId.h"

namespace rw::win32 {

using rw::editor::MessageIcon;
using rw::editor::SaveAnswer;

namespace {

HWND OwnerOf(const CourseEditorDlg* window) {
    return window != nullptr ? window->Window() : nullptr;
}

std::optional<std::string> Run(FilePickerDlg& picker) {
    if (picker.RunModal() != IDOK || picker.ChosenFile().empty()) {
        return std::nullopt;
    }
    return Narrow(picker.ChosenFile());
}

}  // namespace

SaveAnswer Win32EditorHost::AskSaveQuestion(bool withCancel) {
    const std::wstring text = ResourceString(rw::res::StringId::SaveQuestionText);
    const std::wstring caption = ResourceString(rw::res::StringId::SaveQuestionCaption);
    switch (MessageBoxW(OwnerOf(m_window), text.c_str(), caption.c_str(),
                        withCancel ? MB_YESNOCANCEL : MB_YESNO)) {
        case IDYES:
            return SaveAnswer::Yes;
        case IDNO:
            return SaveAnswer::No;
        default:
            return withCancel ? SaveAnswer::Cancel : SaveAnswer::No;
    }
}

void Win32EditorHost::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    MessageBoxW(OwnerOf(m_window), Widen(text).c_str(), Widen(caption).c_str(),
                MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0u));
}

// The Save As dialog: a 255-character name preset to "*.scn", one filter, the overwrite question.
std::optional<std::string> Win32EditorHost::AskSavePath(const std::string& startFolder) {
    std::array<wchar_t, 256> file{L"*.scn"};
    const std::wstring folder = Widen(startFolder);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerOf(m_window);
    dialog.lpstrFilter = L"Scenario file (*.scn)\0*.SCN\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = 255;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = L"*.scn";
    dialog.lpstrDefExt = L"scn";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_LONGNAMES | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return Narrow(file.data());
}

std::optional<std::string> Win32EditorHost::PickScenario(const std::string& folder) {
    ScenarioPickerDlg picker(OwnerOf(m_window), Widen(folder));
    return Run(picker);
}

std::optional<std::string> Win32EditorHost::PickCity(const std::string& folder) {
    CityPickerDlg picker(OwnerOf(m_window), Widen(folder));
    return Run(picker);
}

void Win32EditorHost::ShowAbout() {
    AboutDlg::Run(OwnerOf(m_window));
}

// The game runs beside the editor: no arguments, the editor's environment and inheritable handles, and no
// hold kept on the process.
bool Win32EditorHost::LaunchGame(const std::string& program, const std::string& workingFolder) {
    const std::wstring path = Widen(program);
    const std::wstring folder = Widen(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void Win32EditorHost::EndEditor() {
    if (m_window != nullptr) {
        m_window->EndEditor();
    }
}

}  // namespace rw::win32
