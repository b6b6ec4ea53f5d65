// Mouse messages on a picture of the map, passed to the editor in map pixels.
#pragma once

#include <windows.h>

#include "editor/CourseEditor.h"

namespace rw::win32 {

// A left press (with Ctrl: insert), a move (with the right button held: drag) or a right press at (px, py)
// in map pixels. A right press takes the mouse for window until its release, so a drag that leaves the
// picture still ends.
inline void SendMapMouse(rw::editor::CourseEditor& editor, HWND window, UINT message, WPARAM wParam, int px,
                         int py) {
    if (message == WM_LBUTTONDOWN) {
        editor.OnLButtonDown(px, py, (wParam & MK_CONTROL) != 0);
    } else if (message == WM_MOUSEMOVE) {
        editor.OnMouseMove(px, py, (wParam & MK_RBUTTON) != 0);
    } else {
        SetCapture(window);
        editor.OnRButtonDown(px, py);
    }
}

}  // namespace rw::win32
