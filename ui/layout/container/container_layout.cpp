// Content area, placement of children and floating children of the plain
// container.

#include <algorithm>

#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

bool CContainerUI::VerticalBarShown() const {
    return m_verticalBar != nullptr && m_verticalBar->IsVisible();
}

bool CContainerUI::HorizontalBarShown() const {
    return m_horizontalBar != nullptr && m_horizontalBar->IsVisible();
}

RECT CContainerUI::ContentArea() const {
    RECT rc{m_itemRect.left + m_inset.left, m_itemRect.top + m_inset.top,
            m_itemRect.right - m_inset.right, m_itemRect.bottom - m_inset.bottom};
    if (VerticalBarShown()) {
        rc.right -= m_verticalBar->GetFixedWidth();
    }
    if (HorizontalBarShown()) {
        rc.bottom -= m_horizontalBar->GetFixedHeight();
    }
    return rc;
}

RECT CContainerUI::GetContentRect() const {
    return ContentArea();
}

void CContainerUI::PlaceFloatChild(int index) {
    CControlUI* child = ItemAt(index);
    if (child == nullptr || !child->IsVisible() || !child->IsFloating()) {
        return;
    }
    const int w = m_itemRect.right - m_itemRect.left;
    const int h = m_itemRect.bottom - m_itemRect.top;
    const TFloatAnchorsUI p = child->GetFloatAnchors();
    const SIZE xy = child->GetFloatOffset();
    const RECT rc{static_cast<LONG>(w * p.left) + xy.cx, static_cast<LONG>(h * p.top) + xy.cy,
                  static_cast<LONG>(w * p.right) + xy.cx + child->GetFixedWidth(),
                  static_cast<LONG>(h * p.bottom) + xy.cy + child->GetFixedHeight()};
    child->SetItemRect(rc, false);
}

void CContainerUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    if (m_items.empty()) {
        return;
    }
    RECT area = ContentArea();
    if (VerticalBarShown()) {
        const int pos = m_verticalBar->GetPosition();
        area.top -= pos;
        area.bottom += m_verticalBar->GetRange() - pos;
    }
    if (HorizontalBarShown()) {
        const int pos = m_horizontalBar->GetPosition();
        area.left -= pos;
        area.right += m_horizontalBar->GetRange() - pos;
    }
    PlaceChildren([&](CControlUI* child, int) {
        int width =
            std::clamp<int>(area.right - area.left, child->GetMinWidth(), child->GetMaxWidth());
        int height =
            std::clamp<int>(area.bottom - area.top, child->GetMinHeight(), child->GetMaxHeight());
        child->SetItemRect(RECT{area.left, area.top, area.left + width, area.top + height}, false);
    });
}

std::optional<RECT> CContainerUI::StartLayout(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    const RECT rc = ContentArea();
    if (m_items.empty()) {
        UpdateScrollBars(rc, 0, 0);
        return std::nullopt;
    }
    return rc;
}

}  // namespace VantuUI
