// Painting of a control in its fixed layer order, and the appearance setters
// that repaint it.

#include "ui/control/control.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

namespace {

// Stores `value` and tells whether it differed, so setters repaint only on a change.
template <class T>
bool Assign(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

}  // namespace

bool CControlUI::Paint(HDC dc, const RECT& paintRect, CControlUI* stop) {
    if (stop == this) {
        return false;
    }
    if (!RectIntersect(m_paintRect, paintRect, m_itemRect)) {
        return true;
    }
    if (!OnPaint.IsEmpty() && !OnPaint(this)) {
        return true;
    }
    if (!PaintContent(dc, m_paintRect, stop)) {
        return false;
    }
    if (m_cover != nullptr) {
        return m_cover->Paint(dc, m_paintRect, nullptr);
    }
    return true;
}

bool CControlUI::PaintContent(HDC dc, const RECT& paintRect, CControlUI*) {
    m_paintRect = paintRect;
    // Declared unconditionally so a round clip stays in force for every layer.
    RenderClip roundClip;
    if (m_borderRound.cx > 0 || m_borderRound.cy > 0) {
        RenderEngine::GenerateRoundClip(dc, m_paintRect, m_itemRect, m_borderRound.cx,
                                        m_borderRound.cy, roundClip);
    }
    PaintBackColor(dc);
    PaintBackImage(dc);
    PaintStateImage(dc);
    PaintForeColor(dc);
    PaintTextLayer(dc);
    PaintBorderLayer(dc);
    return true;
}

void CControlUI::PaintBackColor(HDC dc) {
    if (m_backColor == 0) {
        return;
    }
    if (m_backColor2 == 0) {
        const DWORD color = AdjustedColor(m_backColor);
        const bool opaque = (m_backColor >> 24) == 0xFF;
        RenderEngine::DrawColor(dc, opaque ? m_paintRect : m_itemRect, color);
        return;
    }
    if (m_backColor3 == 0) {
        RenderEngine::DrawGradient(dc, m_itemRect, AdjustedColor(m_backColor),
                                   AdjustedColor(m_backColor2), true, 16);
        return;
    }
    const LONG middle = (m_itemRect.top + m_itemRect.bottom) / 2;
    RECT upper = m_itemRect;
    upper.bottom = middle;
    RECT lower = m_itemRect;
    lower.top = middle;
    RenderEngine::DrawGradient(dc, upper, AdjustedColor(m_backColor), AdjustedColor(m_backColor2),
                               true, 8);
    RenderEngine::DrawGradient(dc, lower, AdjustedColor(m_backColor2), AdjustedColor(m_backColor3),
                               true, 8);
}

void CControlUI::PaintBackImage(HDC dc) {
    DrawImageRecord(dc, m_backImage);
}

void CControlUI::PaintStateImage(HDC) {}

void CControlUI::PaintForeColor(HDC dc) {
    RenderEngine::DrawColor(dc, m_itemRect, AdjustedColor(m_foreColor));
}

void CControlUI::PaintTextLayer(HDC) {}

void CControlUI::PaintBorderLayer(HDC dc) {
    if (m_borderColor == 0 && m_focusedBorderColor == 0) {
        return;
    }
    DrawBorder(dc, m_focused && m_focusedBorderColor != 0 ? m_focusedBorderColor : m_borderColor,
               m_borderSize);
}

void CControlUI::DrawBorder(HDC dc, DWORD borderColor, const RECT& b) {
    const DWORD color = AdjustedColor(borderColor);
    const RECT& r = m_itemRect;
    if (m_borderRound.cx > 0 || m_borderRound.cy > 0) {
        RenderEngine::DrawRoundRect(dc, r, b.left, m_borderRound.cx, m_borderRound.cy, color,
                                    m_borderStyle);
        return;
    }
    if (b.left == b.top && b.left == b.right && b.left == b.bottom) {
        if (b.left > 0) {
            RenderEngine::DrawRect(dc, r, b.left, color, m_borderStyle);
        }
        return;
    }
    if (b.left > 0) {
        RenderEngine::DrawLine(dc, RECT{r.left, r.top, r.left, r.bottom}, b.left, color,
                               m_borderStyle);
    }
    if (b.top > 0) {
        RenderEngine::DrawLine(dc, RECT{r.left, r.top, r.right, r.top}, b.top, color,
                               m_borderStyle);
    }
    if (b.right > 0) {
        RenderEngine::DrawLine(dc, RECT{r.right - 1, r.top, r.right - 1, r.bottom}, b.right, color,
                               m_borderStyle);
    }
    if (b.bottom > 0) {
        RenderEngine::DrawLine(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom - 1}, b.bottom,
                               color, m_borderStyle);
    }
}

void CControlUI::PaintOverlay(HDC, const RECT&) {
    OnPostPaint(this);
}

DWORD CControlUI::AdjustedColor(DWORD color) const {
    if (!m_colorHsl) {
        return color;
    }
    int h = 180;
    int s = 100;
    int l = 100;
    if (m_manager != nullptr) {
        m_manager->GetHsl(h, s, l);
    }
    return RenderEngine::AdjustColor(color, h, s, l);
}

bool CControlUI::DrawImageRecord(HDC dc, ImageDrawInfo& record) {
    return RenderEngine::DrawImageSpec(dc, m_manager, m_itemRect, m_paintRect, record);
}

void CControlUI::SetBackColor(DWORD color) {
    if (Assign(m_backColor, color)) {
        Invalidate();
    }
}

void CControlUI::SetBackColor2(DWORD color) {
    if (Assign(m_backColor2, color)) {
        Invalidate();
    }
}

void CControlUI::SetBackColor3(DWORD color) {
    if (Assign(m_backColor3, color)) {
        Invalidate();
    }
}

void CControlUI::SetForeColor(DWORD color) {
    if (Assign(m_foreColor, color)) {
        Invalidate();
    }
}

void CControlUI::SetBackImage(const std::wstring& spec) {
    if (spec == m_backImage.spec && m_backImage.image != nullptr) {
        return;
    }
    m_backImage.Clear();
    m_backImage.spec = spec;
    // Load without drawing: a floating control may take the image's size.
    RenderEngine::DrawImageSpec(nullptr, m_manager, m_itemRect, m_paintRect, m_backImage);
    if (m_floating && m_fixedSize.cx == 0 && m_fixedSize.cy == 0 && m_backImage.image != nullptr) {
        m_fixedSize.cx = m_backImage.image->width;
        m_fixedSize.cy = m_backImage.image->height;
    }
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
    if (Assign(m_borderColor, color)) {
        Invalidate();
    }
}

void CControlUI::SetFocusedBorderColor(DWORD color) {
    if (Assign(m_focusedBorderColor, color)) {
        Invalidate();
    }
}

void CControlUI::SetUseHsl(bool use) {
    if (Assign(m_colorHsl, use)) {
        Invalidate();
    }
}

void CControlUI::SetBorderWidths(int width) {
    SetBorderWidths(RECT{width, width, width, width});
}

void CControlUI::SetBorderWidths(RECT widths) {
    if (Assign(m_borderSize, widths)) {
        Invalidate();
    }
}

void CControlUI::SetBorderPenStyle(int style) {
    if (Assign(m_borderStyle, style)) {
        Invalidate();
    }
}

void CControlUI::SetCornerRound(SIZE round) {
    if (Assign(m_borderRound, round)) {
        Invalidate();
    }
}

}  // namespace VantuUI
