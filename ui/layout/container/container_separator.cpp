// The drag strip of vertical and horizontal layouts: dragging it resizes the
// layout, live in immediate mode, else on release with a dark overlay strip
// showing where the edge will go.

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

RECT CContainerUI::SeparatorStrip(const RECT& rect, int size, bool vertical) {
    RECT strip = rect;
    if (vertical) {
        if (size >= 0) {
            strip.top = std::max(rect.top, rect.bottom - size);
        } else {
            strip.bottom = std::min(rect.bottom, rect.top - size);
        }
    } else if (size >= 0) {
        strip.left = std::max(rect.left, rect.right - size);
    } else {
        strip.right = std::min(rect.right, rect.left - size);
    }
    return strip;
}

bool CContainerUI::HandleSeparatorEvent(SeparatorDrag& drag, TInputEventUI& event) {
    if (drag.size == 0) {
        return false;
    }
    const bool overStrip =
        RectContains(SeparatorStrip(m_itemRect, drag.size, drag.vertical), event.MousePoint);
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            if (!IsEnabled() || !overStrip) {
                return false;
            }
            ::SetCursor(::LoadCursor(nullptr, drag.vertical ? IDC_SIZENS : IDC_SIZEWE));
            return true;
        case UIEVENT_BUTTONDOWN:
            if (!IsEnabled() || !overStrip) {
                return false;
            }
            drag.captured = true;
            drag.lastMouse = event.MousePoint;
            drag.newRect = m_itemRect;
            if (!drag.immediate && m_manager != nullptr) {
                m_manager->AddOverlayPainter(this);
            }
            return true;
        case UIEVENT_MOUSEMOVE: {
            if (!drag.captured) {
                return false;
            }
            const POINT pt = event.MousePoint;
            RECT& r = drag.newRect;
            const RECT oldStrip = SeparatorStrip(r, drag.size, drag.vertical);
            const bool farSide = drag.size > 0;
            LONG& edge =
                drag.vertical ? (farSide ? r.bottom : r.top) : (farSide ? r.right : r.left);
            const LONG mouse = drag.vertical ? pt.y : pt.x;
            const LONG last = drag.vertical ? drag.lastMouse.y : drag.lastMouse.x;
            const LONG delta = mouse - last;
            drag.lastMouse = pt;
            // Motion that runs past the edge (the pointer on the wrong side) is ignored.
            if ((delta > 0 && mouse < edge) || (delta < 0 && mouse > edge)) {
                return true;
            }
            edge += delta;
            if (drag.vertical) {
                const LONG height =
                    std::clamp<LONG>(r.bottom - r.top, GetMinHeight(), GetMaxHeight());
                (farSide ? r.bottom : r.top) = farSide ? r.top + height : r.bottom - height;
                m_fixedSize.cy = height;
            } else {
                const LONG width = std::clamp<LONG>(r.right - r.left, GetMinWidth(), GetMaxWidth());
                (farSide ? r.right : r.left) = farSide ? r.left + width : r.right - width;
                m_fixedSize.cx = width;
            }
            if (drag.immediate) {
                m_itemRect = r;
                RequestParentLayout();
            } else if (m_manager != nullptr) {
                InvalidateClipped(oldStrip);
                InvalidateClipped(SeparatorStrip(r, drag.size, drag.vertical));
            }
            return true;
        }
        case UIEVENT_BUTTONUP:
            if (!drag.captured) {
                return false;
            }
            m_itemRect = drag.newRect;
            drag.captured = false;
            if (!drag.immediate && m_manager != nullptr) {
                m_manager->RemoveOverlayPainter(this);
            }
            RequestParentLayout();
            return true;
        default:
            return false;
    }
}

void CContainerUI::PaintSeparatorOverlay(const SeparatorDrag& drag, HDC dc) {
    if (drag.captured && !drag.immediate) {
        RenderEngine::DrawColor(dc, SeparatorStrip(drag.newRect, drag.size, drag.vertical),
                                0xAA000000);
    }
}

void CContainerUI::SetSeparatorImmediateMode(SeparatorDrag& drag, bool immediate) {
    if (drag.captured && !drag.immediate && immediate && m_manager != nullptr) {
        m_manager->RemoveOverlayPainter(this);
    }
    drag.immediate = immediate;
}

}  // namespace VantuUI
