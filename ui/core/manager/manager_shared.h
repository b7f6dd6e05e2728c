#pragma once

// What all paint managers of the process share: the live managers, the
// shared resource tables, the default colours and font, and the numbered
// strings. Used from the user-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "ui/control/rect_math.h"
#include "ui/core/manager/paint_buffer.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

struct TSharedResourcesUI {
    std::vector<CWindowManagerUI*> live;
    CStringTableUI<TFontRecordUI> fonts{83};
    CStringTableUI<std::unique_ptr<ImageInfo>> images{83};
    std::vector<std::unique_ptr<ImageInfo>> retiredImages;  // replaced, maybe still drawn
    CStringTableUI<std::wstring> classDefaults{83};
    CStringTableUI<std::wstring> strings{83};
    TDefaultColorsUI colors;
    TFontRecordUI defaultFont;
};

TSharedResourcesUI& SharedResources();

// The off-screen image the tree paints into, and the layered image's own.
struct CWindowManagerUI::OffscreenBuffers {
    OffscreenBuffers(int width, int height) : tree(width, height) {}
    CPaintBufferUI tree;
    std::unique_ptr<CPaintBufferUI> layeredImage;
};

// The line height of a font in pixels.
int MeasureFontHeight(const FontInfo& font);

}  // namespace VantuUI
