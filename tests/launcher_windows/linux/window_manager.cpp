#include "tests/launcher_windows/window_manager.h"

#include "platform/window/display/display_seam.h"

namespace launcher_windows_testing {

// The display asks the window's hit test; a draggable point moves the window.
CaptionHit CaptionHitAt(HWND window, int x, int y) {
    return platform::seam::HitTest(window, x, y) == SDL_HITTEST_DRAGGABLE ? CaptionHit::Drag
                                                                          : CaptionHit::Normal;
}

void RequestClose(HWND window) {
    platform::seam::CloseRequest(window);
}

}  // namespace launcher_windows_testing
