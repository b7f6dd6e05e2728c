// The render engine's entry points whose checks do not depend on the system;
// the drawing itself is the backend's (render_backend.h).

#include <algorithm>

#include "ui/render/render_backend.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

void RenderEngine::GenerateRoundClip(HDC dc, const RECT& paint, const RECT& item, int ellipseWidth,
                                     int ellipseHeight, RenderClip& clip) {
    GenerateClip(dc, paint, clip);
    if (dc != nullptr) {
        IntersectRoundClip(dc, item, ellipseWidth, ellipseHeight);
    }
}

void RenderEngine::DrawMarkupText(HDC dc, IRenderHostUI* manager, RECT& rect,
                                  const std::wstring& text, DWORD color, RECT* linkRects,
                                  std::wstring* linkTexts, int& linkCount, int font, UINT style) {
    const int capacity = std::max(0, linkCount);
    std::optional<MarkupOptions> options =
        MarkupCallOptions(dc, manager, text, color, linkRects, linkTexts, linkCount, font, style);
    if (options) {
        linkCount = DrawMarkupBlock(dc, *manager, rect, text, *options, style, linkRects, linkTexts,
                                    capacity);
    }
}

HBITMAP RenderEngine::CaptureWindowArea(IRenderHostUI* manager, const RECT& rect,
                                        const void* stopControl, DWORD color) {
    if (manager == nullptr || rect.right <= rect.left || rect.bottom <= rect.top) {
        return nullptr;
    }
    return CaptureArea(*manager, rect, stopControl, color);
}

}  // namespace VantuUI
