// Shows the control gallery. With --screenshot FILE it paints the window
// once (on the offscreen display when there is no other) and writes it to
// FILE as PNG instead of running until closed.

#include <cstdio>
#include <cstring>

#include "platform/window/window_api.h"
#include "tools/gallery/gallery_window.h"
#include "tools/gallery/screenshot.h"

namespace {

// Closing the window ends the program.
class ShownGallery : public gallery::CGalleryWindow {
  public:
    using CGalleryWindow::CGalleryWindow;
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& handled) override {
        PostQuitMessage(0);
        handled = false;
        return 0;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const char* screenshot = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            screenshot = argv[i + 1];
        }
    }
    ShownGallery window(gallery::DefaultSkinFolder());
    HWND hwnd = window.Create(nullptr, L"Vantu control gallery", WS_POPUP, 0, 0, 0, 0, 0);
    if (hwnd == nullptr) {
        std::fprintf(stderr, "the gallery window could not be made\n");
        return 1;
    }
    window.CenterOnOwner();
    window.Show(true, true);
    if (screenshot == nullptr) {
        return VantuUI::CWindowManagerUI::RunMessageLoop();
    }
    UpdateWindow(hwnd);
    const bool written = gallery::WriteScreenshot(window.Manager(), screenshot);
    DestroyWindow(hwnd);
    if (!written) {
        std::fprintf(stderr, "no screenshot written\n");
        return 1;
    }
    return 0;
}
