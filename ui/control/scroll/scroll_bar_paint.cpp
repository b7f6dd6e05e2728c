// Painting of a scroll bar: background, the state images of the track,
// buttons, thumb and rail, then the border.

#include "ui/control/control_state.h"
#include "ui/control/rect_math.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

bool CScrollBarUI::PaintContent(HDC dc, const RECT& paintRect, CControlUI*) {
    m_paintRect = paintRect;
    const UINT disabled = IsEnabled() ? 0 : UISTATE_DISABLED;
    for (Piece* piece : {&m_button1, &m_button2, &m_thumb}) {
        piece->state = (piece->state & ~UISTATE_DISABLED) | disabled;
    }
    PaintBackColor(dc);
    PaintBackImage(dc);
    // The track shows the thumb's state: hot or pushed while it is.
    PaintStateImages(dc, m_backgroundImages, m_thumb.state, m_itemRect);
    for (Piece* button : {&m_button1, &m_button2}) {
        if (button->shown) {
            PaintPiece(dc, *button);
        }
    }
    if (!RectIsEmpty(m_thumb.rect)) {
        PaintPiece(dc, m_thumb);
        PaintRail(dc);
    }
    PaintBorderLayer(dc);
    return true;
}

// The image of the strongest state (disabled, pushed, hot), else the normal one.
void CScrollBarUI::PaintStateImages(HDC dc, StateImages& images, UINT state, const RECT& rect) {
    auto draw = [&](ScrollBarImageState which) {
        return RenderEngine::DrawImageSpec(dc, m_manager, rect, m_paintRect,
                                           images[static_cast<size_t>(which)]);
    };
    bool drawn = false;
    if ((state & UISTATE_DISABLED) != 0) {
        drawn = draw(ScrollBarImageState::Disabled);
    } else if ((state & UISTATE_PUSHED) != 0) {
        drawn = draw(ScrollBarImageState::Pushed);
    } else if ((state & UISTATE_HOT) != 0) {
        drawn = draw(ScrollBarImageState::Hot);
    }
    if (!drawn) {
        draw(ScrollBarImageState::Normal);
    }
}

void CScrollBarUI::PaintPiece(HDC dc, Piece& piece) {
    RenderEngine::DrawColor(dc, piece.rect, AdjustedColor(piece.color));
    PaintStateImages(dc, piece.images, piece.state, piece.rect);
}

// A square as wide as the bar is thick, centred on the thumb.
void CScrollBarUI::PaintRail(HDC dc) {
    const RECT& thumb = m_thumb.rect;
    const int t = Thickness();
    RECT rail = thumb;
    if (m_horizontal) {
        rail.left = (thumb.left + thumb.right) / 2 - t / 2;
        rail.right = rail.left + t;
    } else {
        rail.top = (thumb.top + thumb.bottom) / 2 - t / 2;
        rail.bottom = rail.top + t;
    }
    PaintStateImages(dc, m_railImages, m_thumb.state, rail);
}

}  // namespace VantuUI
