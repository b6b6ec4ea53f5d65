// The magnified map window.
#include "MagnifiedMapWnd.h"

#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>

#include "CourseEditorDlg.h"
#include "GdiObject.h"
#include "MapMouse.h"
#include "ResourceIds.h"

namespace rw::win32 {

namespace {

constexpr wchar_t kClassName[] = L"RoutewrightMagnifiedMap";
// Pixels an arrow of a scroll bar (or an arrow key) moves the view.
constexpr int kLine = 16;

// The mouse at a client point of the view, in map pixels; -1 left of or above the map.
int MapCoordinate(int client, int scroll, int zoom) {
    const int at = client + scroll;
    return at >= 0 ? at / zoom : -1;
}

}  // namespace

MagnifiedMapWnd::MagnifiedMapWnd(CourseEditorDlg& editorWindow) : m_editorWindow(editorWindow) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const ATOM registered = [instance] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = &MagnifiedMapWnd::WindowProc;
        type.hInstance = instance;
        type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(RW_IDI_APP));
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = kClassName;
        return RegisterClassExW(&type);
    }();
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OwnedMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(RW_IDR_MAGNIFIED_MAP)));
    if (registered == 0 || CreateWindowExW(0, kClassName, L"Magnified Map",
                                           WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN,
                                           CW_USEDEFAULT, CW_USEDEFAULT, 560, 600, editorWindow.Window(),
                                           menu.get(), instance, this) == nullptr) {
        return;
    }
    menu.release();  // the window's now
    SetZoom(m_zoom);
}

MagnifiedMapWnd::~MagnifiedMapWnd() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void MagnifiedMapWnd::Show() {
    ShowWindow(m_window, SW_SHOW);
    BringWindowToTop(m_window);
}

void MagnifiedMapWnd::SetZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const RECT view = View();
    const POINT half{(view.right - view.left) / 2, (view.bottom - view.top) / 2};
    m_scroll =
        POINT{(m_scroll.x + half.x) * zoom / m_zoom - half.x, (m_scroll.y + half.y) * zoom / m_zoom - half.y};
    m_zoom = zoom;
    if (m_window == nullptr) {
        return;
    }
    CheckMenuRadioItem(GetSubMenu(GetMenu(m_window), 0), RW_IDM_ZOOM + kMinZoom, RW_IDM_ZOOM + kMaxZoom,
                       static_cast<UINT>(RW_IDM_ZOOM + zoom), MF_BYCOMMAND);
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, FALSE);
}

void MagnifiedMapWnd::ShowStatus(const std::wstring& text) {
    if (m_status != nullptr) {
        SendMessageW(m_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void MagnifiedMapWnd::RepaintMap() {
    if (m_window != nullptr) {
        const RECT view = View();
        InvalidateRect(m_window, &view, FALSE);
    }
}

RECT MagnifiedMapWnd::View() const {
    RECT view{};
    if (m_window != nullptr) {
        GetClientRect(m_window, &view);
    }
    RECT status{};
    if (m_status != nullptr && GetWindowRect(m_status, &status)) {
        view.bottom = std::max(view.top, view.bottom - (status.bottom - status.top));
    }
    return view;
}

// A bar appearing or going changes the view: the resize that follows sets both bars again, and each bar
// here takes the view as it is by then.
void MagnifiedMapWnd::UpdateScrollBars() {
    for (const int bar : {SB_HORZ, SB_VERT}) {
        const RECT view = View();
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = 256 * m_zoom - 1;
        info.nPage = static_cast<UINT>(bar == SB_HORZ ? view.right - view.left : view.bottom - view.top);
        info.nPos = bar == SB_HORZ ? m_scroll.x : m_scroll.y;
        SetScrollInfo(m_window, bar, &info, TRUE);
    }
    m_scroll = POINT{GetScrollPos(m_window, SB_HORZ), GetScrollPos(m_window, SB_VERT)};
}

void MagnifiedMapWnd::ScrollTo(int bar, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(m_window, bar, &info, TRUE);
    (bar == SB_HORZ ? m_scroll.x : m_scroll.y) = GetScrollPos(m_window, bar);
    RepaintMap();
}

void MagnifiedMapWnd::OnScroll(int bar, WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(m_window, bar, &info);
    const int page = static_cast<int>(info.nPage);
    switch (request) {
        case SB_LINEUP:
            ScrollTo(bar, info.nPos - kLine);
            break;
        case SB_LINEDOWN:
            ScrollTo(bar, info.nPos + kLine);
            break;
        case SB_PAGEUP:
            ScrollTo(bar, info.nPos - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(bar, info.nPos + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(bar, info.nTrackPos);
            break;
        case SB_TOP:
            ScrollTo(bar, 0);
            break;
        case SB_BOTTOM:
            ScrollTo(bar, info.nMax);
            break;
        default:
            break;
    }
}

void MagnifiedMapWnd::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_window, &paint);
    const RECT view = View();
    const POINT origin{-m_scroll.x, -m_scroll.y};
    m_editorWindow.PaintMap(dc, m_zoom, origin);
    // A view larger than the magnified map shows the workspace colour past its edges.
    const int extent = 256 * m_zoom;
    const RECT right{origin.x + extent, view.top, view.right, view.bottom};
    const RECT below{view.left, origin.y + extent, view.right, view.bottom};
    FillRect(dc, &right, GetSysColorBrush(COLOR_APPWORKSPACE));
    FillRect(dc, &below, GetSysColorBrush(COLOR_APPWORKSPACE));
    EndPaint(m_window, &paint);
}

// The same handlers as the map in the editor window, in map pixels.
void MagnifiedMapWnd::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    SendMapMouse(m_editorWindow.Editor(), m_window, message, wParam,
                 MapCoordinate(GET_X_LPARAM(lParam), m_scroll.x, m_zoom),
                 MapCoordinate(GET_Y_LPARAM(lParam), m_scroll.y, m_zoom));
}

LRESULT CALLBACK MagnifiedMapWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MagnifiedMapWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
    }
    auto* self = reinterpret_cast<MagnifiedMapWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        self->m_status = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT MagnifiedMapWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            m_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                       0, 0, m_window, nullptr, GetModuleHandleW(nullptr), nullptr);
            return 0;
        case WM_SIZE:
            SendMessageW(m_status, WM_SIZE, 0, 0);
            UpdateScrollBars();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers the whole view
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(SB_VERT, m_scroll.y - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * kLine / WHEEL_DELTA);
            return 0;
        case WM_KEYDOWN: {
            const bool across = wParam == VK_LEFT || wParam == VK_RIGHT;
            const bool back = wParam == VK_LEFT || wParam == VK_UP || wParam == VK_PRIOR;
            if (across || wParam == VK_UP || wParam == VK_DOWN) {
                OnScroll(across ? SB_HORZ : SB_VERT, back ? SB_LINEUP : SB_LINEDOWN);
            } else if (wParam == VK_PRIOR || wParam == VK_NEXT) {
                OnScroll(SB_VERT, back ? SB_PAGEUP : SB_PAGEDOWN);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_RBUTTONDOWN:
            OnMouse(message, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            if (GetCapture() == m_window) {
                ReleaseCapture();
            }
            m_editorWindow.Editor().OnRButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            m_editorWindow.Editor().OnRButtonUp();
            return 0;
        case WM_COMMAND: {
            const int zoom = LOWORD(wParam) - RW_IDM_ZOOM;
            if (zoom >= kMinZoom && zoom <= kMaxZoom) {
                SetZoom(zoom);
            }
            return 0;
        }
        case WM_CLOSE:
            ShowWindow(m_window, SW_HIDE);
            return 0;
        default:
            return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

}  // namespace rw::win32
