#pragma once

// What all paint managers of the process share: the live managers, the
// shared resource tables, the default colours and font, and the numbered
// strings. Used from the user-interface thread only.

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/control/rect_math.h"
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

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// The off-screen image the tree paints into, and the layered image's own.
struct CWindowManagerUI::OffscreenBuffers {
    SurfacePtr surface;
    ContextPtr dc;
    SurfacePtr layeredImage;
};

// The line height of a font in pixels.
int MeasureFontHeight(const FontInfo& font);

}  // namespace VantuUI
