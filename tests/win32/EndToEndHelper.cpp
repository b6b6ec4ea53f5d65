// Helper of the Windows end-to-end test, run under the same Wine as the editor under test.
//
//   win32_e2e_helper where TITLE [ID]    screen rectangle "X Y W H" of the visible window titled TITLE, or
//                                        of its control ID
//
// where asks the running editor itself, so the test clicks exactly where Wine placed the controls.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Utf16.h"

namespace {

int Where(int argc, char** argv) {
    HWND window = FindWindowW(nullptr, rw::win32::Widen(argv[2]).c_str());
    // A dialog exists before it shows; a click then would land on the window under it.
    if (window != nullptr && !IsWindowVisible(window)) {
        return 1;
    }
    if (window != nullptr && argc > 3) {
        window = GetDlgItem(window, std::atoi(argv[3]));
    }
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) {
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "where") {
        return Where(argc, argv);
    }
    std::fprintf(stderr, "usage: win32_e2e_helper where TITLE [ID]\n");
    return 2;
}
