// The editor's main window: start-up, its message loop and layout.
#include "CourseEditorDlg.h"

#include <windowsx.h>

#include <array>
#include <string_view>
#include <utility>

#include "MagnifiedMapWnd.h"
#include "ResourceIds.h"
#include "ResourceString.h"
#include "Utf16.h"
#include "editor/RaceRules.h"
#include "res/StringId.h"

namespace rw::win32 {

using rw::editor::ControlId;
using rw::editor::ToInt;

namespace {

// Controls whose text start-up takes from the string table.
struct Label {
    ControlId control;
    rw::res::StringId text;
};
constexpr Label kLabels[] = {
    {ControlId::LoadCityFile, rw::res::StringId::LoadCityFile},
    {ControlId::DeleteCheckpoint, rw::res::StringId::DeleteCheckpoint},
    {ControlId::NewScenario, rw::res::StringId::New},
    {ControlId::SaveScenario, rw::res::StringId::SaveScenario},
    {ControlId::LoadScenario, rw::res::StringId::LoadScenario},
    {ControlId::EnterGame, rw::res::StringId::EnterVortane},
    {ControlId::Exit, rw::res::StringId::Exit},
    {ControlId::LapsLabel, rw::res::StringId::Laps},
    {ControlId::BonusLabel, rw::res::StringId::CheckpointTimeBonus},
    {ControlId::RaceTitleLabel, rw::res::StringId::RaceTitle},
    {ControlId::CityFileLabel, rw::res::StringId::CityFile},
    {ControlId::TimeLimitLabel, rw::res::StringId::TimeLimit},
    {ControlId::RacersLabel, rw::res::StringId::Racers},
    {ControlId::SpecificationsBox, rw::res::StringId::RaceSpecifications},
    {ControlId::TimeSeconds, rw::res::StringId::Seconds},
    {ControlId::BonusSeconds, rw::res::StringId::Seconds},
    {ControlId::CheckpointsLabel, rw::res::StringId::Checkpoints},
    {ControlId::CityBox, rw::res::StringId::LoadCityFile},
    {ControlId::DifficultyLabel, rw::res::StringId::RaceDifficulty},
    {ControlId::MapBox, rw::res::StringId::ClickMapHint},
};

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Place(HWND control, const RECT& rect) {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace

CourseEditorDlg::CourseEditorDlg(rw::editor::EditorHost& host, std::string gameFolder)
    : m_host(host), m_gameFolder(std::move(gameFolder)) {
    m_hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(RW_IDI_APP));
    m_windowKeys = LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(RW_IDA_EDITOR));
    m_listKeys = LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(RW_IDA_CHECKPOINT_LIST));
}

// A field losing the focus while the window is taken down still reports it: nothing may reach the editor
// any more.
CourseEditorDlg::~CourseEditorDlg() {
    m_magnified.reset();
    m_editor.reset();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

// A loop of our own rather than DialogBox's, so the window's keys are translated before the dialog manager
// and the focused control see them.
INT_PTR CourseEditorDlg::RunModal() {
    if (CreateModeless() == nullptr) {
        return -1;
    }
    ShowWindow(m_window, SW_SHOW);
    MSG message{};
    while (!m_ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            break;
        }
        if (!TranslateKey(message) && !IsDialogMessageW(m_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}

HWND CourseEditorDlg::CreateModeless() {
    return CreateDialogParamW(Instance(), MAKEINTRESOURCEW(RW_IDD_EDITOR), nullptr, &DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

// The window is hidden at once and destroyed with this object, once no handler of the editor's runs.
void CourseEditorDlg::EndEditor() {
    m_ended = true;
    if (m_magnified != nullptr) {
        ShowWindow(m_magnified->Window(), SW_HIDE);
    }
    ShowWindow(m_window, SW_HIDE);
}

HWND CourseEditorDlg::Control(ControlId id) const {
    return GetDlgItem(m_window, ToInt(id));
}

POINT CourseEditorDlg::MapOrigin() const {
    const RECT place = PlaceOf(Control(ControlId::Map));
    return POINT{place.left, place.top};
}

INT_PTR CALLBACK CourseEditorDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CourseEditorDlg*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_window = window;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<CourseEditorDlg*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        return FALSE;
    }
    if (self == nullptr || self->m_editor == nullptr) {
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}

BOOL CourseEditorDlg::OnInitDialog() {
    SetWindowTextW(m_window, ResourceString(rw::res::StringId::EditorCaption).c_str());
    // The difficulty box's entries, in the order of their index.
    for (const std::string_view name : rw::editor::kDifficultyNames) {
        SendDlgItemMessageW(m_window, ToInt(ControlId::Difficulty), CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Widen(name).c_str()));
    }
    for (const ControlId id : {ControlId::RaceTitle, ControlId::TimeLimit, ControlId::Bonus}) {
        const auto limit = rw::editor::TypingLimit(id);
        SendMessageW(Control(id), EM_LIMITTEXT, static_cast<WPARAM>(limit->maxLength), 0);
    }
    CreateMapImage();
    SetLabels();
    AppendAboutEntry();
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    LayOut();
    m_editor = std::make_unique<rw::editor::CourseEditor>(*this, m_host, m_gameFolder);
    RepaintMap();

    // Centred on its screen with the size the layout gave it.
    RECT frame{};
    GetWindowRect(m_window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(m_window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The platform puts the focus on the first tab stop, the Load City File button.
    return TRUE;
}

void CourseEditorDlg::SetLabels() {
    for (const Label& label : kLabels) {
        std::wstring text = ResourceString(label.text);
        // The group box around Load City File shows the text without its mnemonic, which is the button's.
        if (label.control == ControlId::CityBox) {
            text = WithoutMnemonic(text);
        }
        SetDlgItemTextW(m_window, ToInt(label.control), text.c_str());
        FitLabel(Control(label.control));
    }
}

// A font wider than the template's (a substitute for MS Sans Serif) may not fit a label into its box: the
// box grows away from the edge its text is aligned to, so the text stays where the template puts it and
// shows whole.
void CourseEditorDlg::FitLabel(HWND control) {
    std::array<wchar_t, 16> kind{};
    GetClassNameW(control, kind.data(), static_cast<int>(kind.size()));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    if (std::wstring_view(kind.data()) != L"Static" ||
        (type != SS_LEFT && type != SS_RIGHT && type != SS_CENTER)) {
        return;
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    RECT place = PlaceOf(control);
    const int missing = (needed.right - needed.left) - (place.right - place.left);
    if (missing <= 0) {
        return;
    }
    if (type == SS_RIGHT) {
        place.left -= missing;
    } else if (type == SS_CENTER) {
        place.left -= missing / 2;
        place.right += missing - missing / 2;
    } else {
        place.right += missing;
    }
    Place(control, place);
}

void CourseEditorDlg::AppendAboutEntry() {
    const std::wstring entry = ResourceString(rw::res::StringId::AboutEntry);
    HMENU menu = GetSystemMenu(m_window, FALSE);
    if (entry.empty() || menu == nullptr) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, rw::editor::CourseEditor::kAboutCommand, entry.c_str());
}

// The map area becomes exactly 256 x 256 pixels whatever the font made of it; what lies right of and below
// it follows the growth, and the window grows with it.
void CourseEditorDlg::LayOut() {
    HWND map = Control(ControlId::Map);
    RECT mapPlace = PlaceOf(map);
    const int dx = 256 - (mapPlace.right - mapPlace.left);
    const int dy = 256 - (mapPlace.bottom - mapPlace.top);
    mapPlace.right = mapPlace.left + 256;
    mapPlace.bottom = mapPlace.top + 256;
    Place(map, mapPlace);
    const int h = dx / 2;
    RECT status = PlaceOf(Control(ControlId::Status));
    OffsetRect(&status, h, dy);
    Place(Control(ControlId::Status), status);
    for (const ControlId id :
         {ControlId::CheckpointList, ControlId::CheckpointsLabel, ControlId::DeleteCheckpoint}) {
        Place(Control(id), PlaceOf(Control(id)));
    }
    RECT frame = PlaceOf(Control(ControlId::MapBox));
    frame.right += dx;
    frame.bottom += dy;
    Place(Control(ControlId::MapBox), frame);
    for (const ControlId id : {ControlId::Exit, ControlId::EnterGame, ControlId::RouteProblem}) {
        RECT place = PlaceOf(Control(id));
        // The broken-leg line runs under the whole window from its left edge: it only moves down.
        OffsetRect(&place, id == ControlId::RouteProblem ? 0 : h, dy);
        Place(Control(id), place);
    }
    const RECT ruler = PlaceOf(Control(ControlId::StatusFrame));
    RECT window{};
    GetWindowRect(m_window, &window);
    SetWindowPos(m_window, nullptr, 0, 0, ruler.right - ruler.left + dx + 15, window.bottom - window.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rw::win32
