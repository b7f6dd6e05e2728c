#include "tests/launcher_windows/window_manager.h"

namespace launcher_windows_testing {

// user32 moves a window by what its WM_NCHITTEST answers: the caption drags,
// the client area is the window's own.
CaptionHit CaptionHitAt(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    return hit == HTCAPTION ? CaptionHit::Drag : CaptionHit::Normal;
}

// Alt+F4 and the frame's close button arrive as this system command.
void RequestClose(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace launcher_windows_testing
