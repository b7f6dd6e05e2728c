#include "ui/layout/horizontal_layout.h"

#include <algorithm>

#include "ui/control/attribute_values.h"
#include "ui/control/scroll_bar.h"

namespace VantuUI {

std::wstring CHorizontalLayoutUI::GetClass() const {
    return L"HorizontalLayout";
}

void* CHorizontalLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"HorizontalLayout") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

void CHorizontalLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"sepwidth") {
        SetSeparatorWidth(ParseInt(value));
    } else if (name == L"sepimm") {
        SetSeparatorImmediate(ParseBool(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

int CHorizontalLayoutUI::GetSeparatorWidth() const {
    return m_separator.size;
}

void CHorizontalLayoutUI::SetSeparatorWidth(int width) {
    m_separator.size = width;
}

bool CHorizontalLayoutUI::IsSeparatorImmediate() const {
    return m_separator.immediate;
}

void CHorizontalLayoutUI::SetSeparatorImmediate(bool immediate) {
    SetSeparatorImmediateMode(m_separator, immediate);
}

UINT CHorizontalLayoutUI::GetInputFlags() {
    if (IsEnabled() && m_separator.size != 0) {
        return UIFLAG_SETCURSOR;
    }
    return CContainerUI::GetInputFlags();
}

void CHorizontalLayoutUI::HandleEvent(TInputEventUI& event) {
    if (!HandleSeparatorEvent(m_separator, event)) {
        CContainerUI::HandleEvent(event);
    }
}

void CHorizontalLayoutUI::PaintOverlay(HDC dc, const RECT& paintRect) {
    PaintSeparatorOverlay(m_separator, dc);
    CContainerUI::PaintOverlay(dc, paintRect);
}

void CHorizontalLayoutUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    const RECT rc = ContentArea();
    if (m_items.empty()) {
        UpdateScrollBars(rc, 0, 0);
        return;
    }
    int W = rc.right - rc.left;
    int H = rc.bottom - rc.top;
    const bool hBar = HorizontalBarShown();
    const bool vBar = VerticalBarShown();
    if (hBar) {
        W += m_horizontalBar->GetRange();
    }
    if (vBar) {
        H += m_verticalBar->GetRange();
    }

    auto candidateWidth = [](CControlUI* c) {
        return c->GetFixedWidth() < 1 ? c->GetMaxWidth() : c->GetFixedWidth();
    };
    auto candidateHeight = [](CControlUI* c) {
        return c->GetFixedHeight() < 1 ? c->GetMaxHeight() : c->GetFixedHeight();
    };

    int adjustable = 0;
    int fixedSum = 0;
    int neededHeight = 0;
    int count = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloating()) {
            continue;
        }
        const RECT p = child->GetPadding();
        const int hc = H - p.top - p.bottom;
        int width = 0;
        int height = child->GetFixedHeight();
        if (child->GetFixedWidth() == 0) {
            ++adjustable;
        } else {
            const SIZE sz = child->GetDesiredSize(
                SIZE{std::min(candidateWidth(child), W), std::min(candidateHeight(child), hc)});
            if (sz.cx == 0) {
                ++adjustable;
            } else {
                width = std::clamp<LONG>(sz.cx, child->GetMinWidth(), child->GetMaxWidth());
            }
            height = std::clamp<LONG>(std::max<LONG>(sz.cy, 0), child->GetMinHeight(),
                                      child->GetMaxHeight());
        }
        fixedSum += p.left + width + p.right;
        neededHeight = std::max(neededHeight, height + static_cast<int>(p.top + p.bottom));
        ++count;
    }
    fixedSum += m_childGap * std::max(count - 1, 0);
    const int share = adjustable > 0 ? std::max(0, (W - fixedSum) / adjustable) : 0;

    int x = rc.left - (hBar ? m_horizontalBar->GetPosition() : 0);
    int remaining = W;
    int neededWidth = 0;
    int adjusted = 0;
    int laid = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (!child->IsVisible()) {
            continue;
        }
        if (child->IsFloating()) {
            PlaceFloatChild(static_cast<int>(i));
            continue;
        }
        const RECT p = child->GetPadding();
        remaining -= p.left;
        fixedSum -= p.left + p.right;
        if (laid > 0) {
            fixedSum -= m_childGap;
        }
        const int hc = H - p.top - p.bottom;
        const SIZE sz = child->GetDesiredSize(
            SIZE{std::min(candidateWidth(child), remaining), std::min(candidateHeight(child), hc)});
        int width;
        if (child->GetFixedWidth() != 0 && sz.cx != 0) {
            width = std::clamp<LONG>(sz.cx, child->GetMinWidth(), child->GetMaxWidth());
            fixedSum -= width;
        } else {
            ++adjusted;
            width = share;
            if (adjusted == adjustable) {
                width = std::max(0, remaining - static_cast<int>(p.right) - fixedSum);
            }
            width = std::clamp<int>(width, child->GetMinWidth(), child->GetMaxWidth());
        }

        int height = std::min(candidateHeight(child), hc);
        const int maxHeight = child->GetMaxHeight();
        height = std::min(height, maxHeight == 0 ? hc : maxHeight);
        height = std::max(height, 0);
        height = std::max(height, child->GetMinHeight());

        int y;
        if ((m_childVAlign & DT_VCENTER) != 0) {
            int centre = (rc.top + rc.bottom) / 2;
            if (vBar) {
                centre += m_verticalBar->GetRange() / 2 - m_verticalBar->GetPosition();
            }
            y = centre - height / 2;
        } else if ((m_childVAlign & DT_BOTTOM) != 0) {
            int edge = rc.bottom;
            if (vBar) {
                edge += m_verticalBar->GetRange() - m_verticalBar->GetPosition();
            }
            y = edge - p.bottom - height;
        } else {
            y = rc.top + p.top - (vBar ? m_verticalBar->GetPosition() : 0);
        }

        child->SetItemRect(RECT{x + p.left, y, x + p.left + width, y + height}, false);
        x += width + p.left + p.right + m_childGap;
        neededWidth += width + p.left + p.right;
        remaining -= width + p.right + m_childGap;
        ++laid;
    }
    UpdateScrollBars(rc, neededWidth + m_childGap * std::max(count - 1, 0), neededHeight);
}

}  // namespace VantuUI
