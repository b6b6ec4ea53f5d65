// A magnified map window beside the editor: the same map, marks, hover texts and clicks, 2 to 8 times larger.
#pragma once

#include <windows.h>

#include <string>

namespace rw::win32 {

class CourseEditorDlg;

// A resizable, scrollable top-level window owned by the editor window, with a Zoom menu and a status bar
// that shows the editor's status line. Every map pixel becomes a crisp zoom x zoom block; the mouse on it
// reaches the same editor in map pixels, so both windows stay live with each other. Closing it hides it.
class MagnifiedMapWnd {
  public:
    static constexpr int kMinZoom = 2;
    static constexpr int kMaxZoom = 8;

    // Creates the window, hidden; Window() is nullptr when it could not be made.
    explicit MagnifiedMapWnd(CourseEditorDlg& editorWindow);
    ~MagnifiedMapWnd();

    MagnifiedMapWnd(const MagnifiedMapWnd&) = delete;
    MagnifiedMapWnd& operator=(const MagnifiedMapWnd&) = delete;

    HWND Window() const { return m_window; }
    // Shows the window and brings it forward.
    void Show();
    int Zoom() const { return m_zoom; }
    // Clamped to kMinZoom..kMaxZoom; the map point at the middle of the view stays there.
    void SetZoom(int zoom);
    // The scroll position: the magnified map's pixel at the view's top-left corner.
    POINT ScrollPosition() const { return m_scroll; }
    void ShowStatus(const std::wstring& text);
    void RepaintMap();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // bar: SB_HORZ or SB_VERT; the new position, clamped by the scroll bar.
    void ScrollTo(int bar, int position);
    void OnScroll(int bar, WORD request);
    void UpdateScrollBars();
    // The client area less the status bar.
    RECT View() const;

    CourseEditorDlg& m_editorWindow;
    HWND m_window = nullptr;
    HWND m_status = nullptr;  // a child, destroyed with the window
    int m_zoom = 3;
    POINT m_scroll{0, 0};
};

}  // namespace rw::win32
