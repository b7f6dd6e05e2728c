// The label's text effects on GDI: for now the text is drawn plainly in its
// first colour, without the gradient, glow, outline or shadow, clipped to the
// label as the effects are.

#include "ui/control/basic/label.h"
#include "ui/core/manager/window_manager.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

void CLabelUI::PaintTextEffects(HDC dc, const RECT& rect, DWORD color, UINT style) {
    if (dc == nullptr || m_manager == nullptr || rect.right <= rect.left ||
        rect.bottom <= rect.top) {
        return;
    }
    RenderClip clip;
    RenderEngine::GenerateClip(dc, m_itemRect, clip);
    RECT textRect = rect;
    RenderEngine::DrawPlainText(dc, m_manager, textRect, m_text, color, m_font, style);
}

}  // namespace VantuUI
