// Placement of a control: item rectangle, floating anchors, sizes, covers,
// visibility, and the invalidation and layout requests they cause.

#include <algorithm>

#include "ui/control/control.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

const RECT& CControlUI::GetItemRect() const {
    return m_itemRect;
}

RECT CControlUI::GetParentRelativeRect() const {
    if (m_parent == nullptr) {
        return RECT{};
    }
    const RECT& p = m_parent->GetItemRect();
    return RectOffset(m_itemRect, -p.left, -p.top);
}

RECT CControlUI::GetContentRect() const {
    return m_itemRect;
}

void CControlUI::SetItemRect(RECT rect, bool invalidate) {
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);

    RECT oldArea = m_itemRect;
    if (RectIsEmpty(oldArea)) {
        oldArea = rect;
    }

    if (m_floating) {
        if (m_parent != nullptr) {
            const RECT& p = m_parent->GetItemRect();
            m_itemRect = RectOffset(rect, p.left, p.top);
            const int w = p.right - p.left;
            const int h = p.bottom - p.top;
            m_floatOffset.cx = rect.left - static_cast<LONG>(w * m_floatAnchors.left);
            m_floatOffset.cy = rect.top - static_cast<LONG>(h * m_floatAnchors.top);
            m_fixedSize.cx =
                rect.right - m_floatOffset.cx - static_cast<LONG>(w * m_floatAnchors.right);
            m_fixedSize.cy =
                rect.bottom - m_floatOffset.cy - static_cast<LONG>(h * m_floatAnchors.bottom);
        }
    } else {
        m_itemRect = rect;
    }

    if (m_manager == nullptr) {
        return;
    }
    if (!m_settingPosition) {
        m_settingPosition = true;
        OnSize(this);
        m_settingPosition = false;
    }
    m_updateNeeded = false;

    if (invalidate && IsVisible()) {
        InvalidateClipped(RectUnion(oldArea, m_itemRect));
    }

    if (m_cover != nullptr && m_cover->IsVisible()) {
        if (m_cover->IsFloating()) {
            const int w = m_itemRect.right - m_itemRect.left;
            const int h = m_itemRect.bottom - m_itemRect.top;
            const TFloatAnchorsUI p = m_cover->GetFloatAnchors();
            const SIZE xy = m_cover->GetFloatOffset();
            RECT cover{static_cast<LONG>(w * p.left) + xy.cx, static_cast<LONG>(h * p.top) + xy.cy,
                       static_cast<LONG>(w * p.right) + xy.cx + m_cover->GetFixedWidth(),
                       static_cast<LONG>(h * p.bottom) + xy.cy + m_cover->GetFixedHeight()};
            m_cover->SetItemRect(cover, false);
        } else {
            int width = rect.right - rect.left;
            int height = rect.bottom - rect.top;
            width = std::max(width, m_cover->GetMinWidth());
            width = std::min(width, m_cover->GetMaxWidth());
            height = std::max(height, m_cover->GetMinHeight());
            height = std::min(height, m_cover->GetMaxHeight());
            m_cover->SetItemRect(RECT{rect.left, rect.top, rect.left + width, rect.top + height},
                                 false);
        }
    }
}

void CControlUI::Move(SIZE offset, bool invalidate) {
    const RECT oldRect = m_itemRect;
    m_itemRect = RectOffset(m_itemRect, offset.cx, offset.cy);
    if (invalidate && m_manager != nullptr && IsVisible()) {
        InvalidateClipped(RectUnion(oldRect, m_itemRect));
    }
    if (m_cover != nullptr && m_cover->IsVisible()) {
        m_cover->Move(offset, false);
    }
}

int CControlUI::GetWidth() const {
    return m_itemRect.right - m_itemRect.left;
}

int CControlUI::GetHeight() const {
    return m_itemRect.bottom - m_itemRect.top;
}

int CControlUI::GetX() const {
    return m_itemRect.left;
}

int CControlUI::GetY() const {
    return m_itemRect.top;
}

RECT CControlUI::GetPadding() const {
    return m_padding;
}

void CControlUI::SetPadding(RECT padding) {
    m_padding = padding;
    RequestParentLayout();
}

SIZE CControlUI::GetFloatOffset() const {
    return m_floatOffset;
}

void CControlUI::SetFloatOffset(SIZE offset) {
    m_floatOffset = offset;
    RequestParentLayout();
}

TFloatAnchorsUI CControlUI::GetFloatAnchors() const {
    return m_floatAnchors;
}

void CControlUI::SetFloatAnchors(TFloatAnchorsUI anchors) {
    m_floatAnchors = anchors;
    RequestParentLayout();
}

int CControlUI::GetFixedWidth() const {
    return m_fixedSize.cx;
}

void CControlUI::SetFixedWidth(int width) {
    if (width < 0) {
        return;
    }
    m_fixedSize.cx = width;
    RequestParentLayout();
}

int CControlUI::GetFixedHeight() const {
    return m_fixedSize.cy;
}

void CControlUI::SetFixedHeight(int height) {
    if (height < 0) {
        return;
    }
    m_fixedSize.cy = height;
    RequestParentLayout();
}

int CControlUI::GetMinWidth() const {
    return m_minWidth;
}

void CControlUI::SetMinWidth(int width) {
    if (width < 0 || width == m_minWidth) {
        return;
    }
    m_minWidth = width;
    RequestParentLayout();
}

int CControlUI::GetMaxWidth() const {
    return std::max(m_maxWidth, m_minWidth);
}

void CControlUI::SetMaxWidth(int width) {
    if (width < 0 || width == m_maxWidth) {
        return;
    }
    m_maxWidth = width;
    RequestParentLayout();
}

int CControlUI::GetMinHeight() const {
    return m_minHeight;
}

void CControlUI::SetMinHeight(int height) {
    if (height < 0 || height == m_minHeight) {
        return;
    }
    m_minHeight = height;
    RequestParentLayout();
}

int CControlUI::GetMaxHeight() const {
    return std::max(m_maxHeight, m_minHeight);
}

void CControlUI::SetMaxHeight(int height) {
    if (height < 0 || height == m_maxHeight) {
        return;
    }
    m_maxHeight = height;
    RequestParentLayout();
}

bool CControlUI::IsVisible() const {
    return m_visible && m_parentVisible;
}

void CControlUI::SetVisible(bool visible) {
    if (m_visible == visible) {
        return;
    }
    const bool wasVisible = IsVisible();
    m_visible = visible;
    m_focused = false;
    if (!visible && m_manager != nullptr && m_manager->FocusedControl() == this) {
        m_manager->FocusControl(nullptr, true);
    }
    if (IsVisible() != wasVisible) {
        RequestParentLayout();
    }
    if (m_cover != nullptr) {
        m_cover->SetParentVisible(IsVisible());
    }
}

void CControlUI::SetParentVisible(bool visible) {
    m_parentVisible = visible;
    if (!visible && m_manager != nullptr && m_manager->FocusedControl() == this) {
        m_manager->FocusControl(nullptr, true);
    }
    if (m_cover != nullptr) {
        m_cover->SetParentVisible(IsVisible());
    }
}

bool CControlUI::IsFloating() const {
    return m_floating;
}

void CControlUI::SetFloating(bool floating) {
    if (m_floating == floating) {
        return;
    }
    m_floating = floating;
    RequestParentLayout();
}

void CControlUI::InvalidateClipped(RECT area) {
    if (m_manager == nullptr) {
        return;
    }
    for (CControlUI* ancestor = m_parent; ancestor != nullptr; ancestor = ancestor->GetParent()) {
        if (!RectIntersect(area, area, ancestor->GetItemRect())) {
            return;
        }
    }
    if (RectIsEmpty(area)) {
        return;
    }
    m_manager->Invalidate(area);
}

void CControlUI::Invalidate() {
    if (!IsVisible()) {
        return;
    }
    InvalidateClipped(m_itemRect);
}

void CControlUI::RequestLayout() {
    if (!IsVisible()) {
        return;
    }
    m_updateNeeded = true;
    Invalidate();
    if (m_manager != nullptr) {
        m_manager->MarkForLayout();
    }
}

void CControlUI::RequestParentLayout() {
    if (m_parent != nullptr) {
        m_parent->RequestLayout();
        m_parent->Invalidate();
    } else {
        RequestLayout();
    }
    if (m_manager != nullptr) {
        m_manager->MarkForLayout();
    }
}

}  // namespace VantuUI
