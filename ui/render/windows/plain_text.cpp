// Plain text with the DrawText flags: DrawTextW itself, drawn as coverage.

#include <algorithm>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/render_engine.h"
#include "ui/render/text/text_layout.h"
#include "ui/render/windows/coverage.h"
#include "ui/render/windows/host_font.h"

namespace VantuUI {

void RenderEngine::DrawPlainText(HDC dc, IRenderHostUI* manager, RECT& rect,
                                 const std::wstring& text, DWORD color, int font, UINT style) {
    std::optional<std::wstring> shown = PlainTextShown(dc, manager, text, style);
    if (!shown || shown->empty()) {
        return;
    }
    // The text is the caller's and never changes.
    style = (style | DT_NOPREFIX) & ~static_cast<UINT>(DT_MODIFYSTRING);
    bool single = (style & DT_SINGLELINE) != 0;
    const HostFont object(manager, ResolveFont(manager, font));
    if ((style & DT_CALCRECT) != 0) {
        HDC measuring = platform::MeasuringDc();
        platform::Selection selected(measuring, object.Get());
        RECT measured = rect;
        // No width to wrap at: one line per paragraph, as when drawing.
        UINT measure = rect.right > rect.left ? style : style & ~static_cast<UINT>(DT_WORDBREAK);
        if (!selected.Ok() || DrawTextW(measuring, shown->c_str(), static_cast<int>(shown->size()),
                                        &measured, measure) == 0) {
            return;
        }
        bool wrap = (style & DT_WORDBREAK) != 0 && !single;
        rect.right = wrap ? std::max(rect.right, measured.right) : measured.right;
        rect.bottom = measured.bottom;
        return;
    }
    BlendCoverage(dc, rect, color | 0xFF000000u, [&](HDC scratch) {
        platform::Selection selected(scratch, object.Get());
        SetTextColor(scratch, RGB(255, 255, 255));
        SetBkMode(scratch, TRANSPARENT);
        RECT place = rect;
        DrawTextW(scratch, shown->c_str(), static_cast<int>(shown->size()), &place, style);
    });
}

}  // namespace VantuUI
