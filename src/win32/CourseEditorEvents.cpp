// The editor window's event table: messages, commands, notifications, keys and the mouse on the map.
#include <windowsx.h>

#include "CourseEditorDlg.h"
#include "GdiObject.h"
#include "MagnifiedMapWnd.h"
#include "MapMouse.h"
#include "ResourceIds.h"

namespace rw::win32 {

using rw::editor::ControlId;
using rw::editor::ToInt;

namespace {

bool IsTypedField(ControlId id) {
    return id == ControlId::RaceTitle || id == ControlId::TimeLimit || id == ControlId::Bonus;
}

}  // namespace

// The event table. A message not handled here gets the dialog's default handling (result FALSE).
INT_PTR CourseEditorDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    rw::editor::CourseEditor& editor = *m_editor;
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == rw::editor::CourseEditor::kAboutCommand) {
                editor.OnSysCommand(rw::editor::CourseEditor::kAboutCommand);
                return TRUE;
            }
            return FALSE;
        case WM_PAINT:
            OnPaint();
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_hIcon);
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const LRESULT result = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
            SetWindowLongPtrW(m_window, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
            OnMouse(message, wParam, lParam);
            return TRUE;
        case WM_RBUTTONUP:
            if (GetCapture() == m_window) {
                ReleaseCapture();
            }
            editor.OnRButtonUp();
            // The default handling turns the release into the context menu request.
            return FALSE;
        case WM_CAPTURECHANGED:
            // A box that opens during a drag takes the mouse: the drag ends there.
            editor.OnRButtonUp();
            return TRUE;
        case WM_CONTEXTMENU:
            return OnContextMenu(lParam) ? TRUE : FALSE;
        case WM_CLOSE:
            editor.OnClose();
            return TRUE;
        default:
            return FALSE;
    }
}

// Mouse points reach the editor in map pixels.
void CourseEditorDlg::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT origin = MapOrigin();
    SendMapMouse(*m_editor, m_window, message, wParam, GET_X_LPARAM(lParam) - origin.x,
                 GET_Y_LPARAM(lParam) - origin.y);
}

// Outside the map the window offers the magnified map; on the map a right click is the editor's.
bool CourseEditorDlg::OnContextMenu(LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {  // from the keyboard: at the window's top-left corner
        at = POINT{0, 0};
        ClientToScreen(m_window, &at);
    } else {
        POINT inWindow = at;
        ScreenToClient(m_window, &inWindow);
        const POINT origin = MapOrigin();
        const RECT map{origin.x, origin.y, origin.x + 256, origin.y + 256};
        if (PtInRect(&map, inWindow)) {
            return false;
        }
    }
    const OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(RW_IDR_EDITOR_CONTEXT)));
    if (menu == nullptr) {
        return false;
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(GetSubMenu(menu.get(), 0),
                                                         TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                                         at.y, 0, m_window, nullptr));
    if (chosen != 0) {
        OnCommand(static_cast<int>(chosen), 0);
    }
    return true;
}

bool CourseEditorDlg::TranslateKey(MSG& message) const {
    if (m_window == nullptr || m_editor == nullptr || message.message < WM_KEYFIRST ||
        message.message > WM_KEYLAST) {
        return false;
    }
    // Keys in the window and in the windows it owns (the magnified map); not in another program's box.
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root != m_window && GetWindow(root, GW_OWNER) != m_window) {
        return false;
    }
    if (GetFocus() == Control(ControlId::CheckpointList) &&
        TranslateAcceleratorW(m_window, m_listKeys, &message) != 0) {
        return true;
    }
    return TranslateAcceleratorW(m_window, m_windowKeys, &message) != 0;
}

void CourseEditorDlg::OnCommand(int id, int code) {
    rw::editor::CourseEditor& editor = *m_editor;
    switch (id) {
        case IDOK:
            // Enter in a field must not end the editor.
            return;
        case IDCANCEL:
            // Escape is the same close request as the close box.
            editor.OnClose();
            return;
        case RW_IDM_UNDO:
            editor.OnUndo();
            return;
        case RW_IDM_REDO:
            editor.OnRedo();
            return;
        case RW_IDM_SAVE_TO_LAST_FILE:
            editor.OnSaveToLastFile();
            return;
        case RW_IDM_MAGNIFIED_MAP:
            ShowMagnifiedMap();
            return;
        case RW_IDM_DELETE_CHECKPOINT:
            editor.OnDeleteCheckpoint();
            return;
        case RW_IDM_CHECKPOINT_EARLIER:
        case RW_IDM_CHECKPOINT_LATER:
            editor.OnShiftCheckpoint(id == RW_IDM_CHECKPOINT_EARLIER ? -1 : 1);
            return;
        case ToInt(ControlId::CheckpointList):
            if (code == LBN_SELCHANGE) {
                editor.OnSelchangeCheckpoints();
            }
            return;
        case ToInt(ControlId::Difficulty):
            if (code == CBN_SELCHANGE) {
                editor.OnSelchangeDifficulty();
            }
            return;
        default:
            break;
    }
    // Typing counts as a change at once; leaving the field makes what was typed one undo step.
    if (const auto field = static_cast<ControlId>(id); IsTypedField(field)) {
        if (code == EN_CHANGE && !m_settingText) {
            editor.OnEditChange(field);
        } else if (code == EN_KILLFOCUS) {
            editor.OnEditKillFocus(field);
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (static_cast<ControlId>(id)) {
        case ControlId::LoadCityFile:
            editor.OnLoadCityFile();
            break;
        case ControlId::DeleteCheckpoint:
            editor.OnDeleteCheckpoint();
            break;
        case ControlId::LoadScenario:
            editor.OnLoadScenario();
            break;
        case ControlId::SaveScenario:
            editor.OnSaveScenario();
            break;
        case ControlId::NewScenario:
            editor.OnNewScenario();
            break;
        case ControlId::EnterGame:
            editor.OnEnterGame();
            break;
        case ControlId::Exit:
            editor.OnExit();
            break;
        default:
            break;
    }
}

// The two spins: a click transfers the fields, a delta steps the field beside the spin (and marks the race
// modified). Both let the notification pass (result 0).
LRESULT CourseEditorDlg::OnNotify(const NMHDR& header, LPARAM lParam) {
    rw::editor::CourseEditor& editor = *m_editor;
    const auto id = static_cast<ControlId>(header.idFrom);
    if (id != ControlId::LapsSpin && id != ControlId::RacersSpin) {
        return 0;
    }
    if (header.code == NM_CLICK) {
        id == ControlId::LapsSpin ? editor.OnClickLapsSpin() : editor.OnClickRacersSpin();
    } else if (header.code == UDN_DELTAPOS) {
        const int delta = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
        id == ControlId::LapsSpin ? editor.OnDeltaposLapsSpin(delta) : editor.OnDeltaposRacersSpin(delta);
    }
    return 0;
}

}  // namespace rw::win32
