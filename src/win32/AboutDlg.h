// The About box: template 100 as it stands.
#pragma once

#include <windows.h>

namespace rw::win32 {

class AboutDlg {
  public:
    // Runs the box modally over owner; OK, Escape or the close box end it.
    static void Run(HWND owner);
};

}  // namespace rw::win32
