#include "ui/layout/vertical_layout.h"

#include <algorithm>

#include "ui/control/attribute_values.h"
#include "ui/control/scroll_bar.h"

namespace VantuUI {

std::wstring CVerticalLayoutUI::GetClass() const {
    return L"VerticalLayout";
}

void* CVerticalLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"VerticalLayout") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

void CVerticalLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"sepheight") {
        SetSeparatorHeight(ParseInt(value));
    } else if (name == L"sepimm") {
        SetSeparatorImmediate(ParseBool(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

int CVerticalLayoutUI::GetSeparatorHeight() const {
    return m_separator.size;
}

void CVerticalLayoutUI::SetSeparatorHeight(int height) {
    m_separator.size = height;
}

bool CVerticalLayoutUI::IsSeparatorImmediate() const {
    return m_separator.immediate;
}

void CVerticalLayoutUI::SetSeparatorImmediate(bool immediate) {
    SetSeparatorImmediateMode(m_separator, immediate);
}

UINT CVerticalLayoutUI::GetInputFlags() {
    if (IsEnabled() && m_separator.size != 0) {
        return UIFLAG_SETCURSOR;
    }
    return CContainerUI::GetInputFlags();
}

void CVerticalLayoutUI::HandleEvent(TInputEventUI& event) {
    if (!HandleSeparatorEvent(m_separator, event)) {
        CContainerUI::HandleEvent(event);
    }
}

void CVerticalLayoutUI::PaintOverlay(HDC dc, const RECT& paintRect) {
    PaintSeparatorOverlay(m_separator, dc);
    CContainerUI::PaintOverlay(dc, paintRect);
}

void CVerticalLayoutUI::SetItemRect(RECT rect, bool invalidate) {
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
    int neededWidth = 0;
    int count = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloating()) {
            continue;
        }
        const RECT p = child->GetPadding();
        const int wc = W - p.left - p.right;
        SIZE sz = child->GetDesiredSize(
            SIZE{std::min(candidateWidth(child), wc), std::min(candidateHeight(child), H)});
        if (sz.cy == 0) {
            ++adjustable;
        } else {
            sz.cy = std::clamp<LONG>(sz.cy, child->GetMinHeight(), child->GetMaxHeight());
        }
        fixedSum += p.top + sz.cy + p.bottom;
        const int width =
            std::clamp<LONG>(std::max<LONG>(sz.cx, 0), child->GetMinWidth(), child->GetMaxWidth());
        neededWidth = std::max(neededWidth, width + static_cast<int>(p.left + p.right));
        ++count;
    }
    fixedSum += m_childGap * std::max(count - 1, 0);
    const int share = adjustable > 0 ? std::max(0, (H - fixedSum) / adjustable) : 0;

    int y = rc.top - (vBar ? m_verticalBar->GetPosition() : 0);
    int remaining = H;
    int neededHeight = 0;
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
        remaining -= p.top;
        fixedSum -= p.top + p.bottom;
        if (laid > 0) {
            fixedSum -= m_childGap;
        }
        const int wc = W - p.left - p.right;
        SIZE sz = child->GetDesiredSize(
            SIZE{std::min(candidateWidth(child), wc), std::min(candidateHeight(child), remaining)});
        if (sz.cy != 0) {
            sz.cy = std::clamp<LONG>(sz.cy, child->GetMinHeight(), child->GetMaxHeight());
            fixedSum -= sz.cy;
        } else {
            ++adjusted;
            sz.cy = share;
            if (adjusted == adjustable) {
                sz.cy = std::max(0, remaining - static_cast<int>(p.bottom) - fixedSum);
            }
            sz.cy = std::clamp<LONG>(sz.cy, child->GetMinHeight(), child->GetMaxHeight());
        }

        int width = std::min(candidateWidth(child), wc);
        const int maxWidth = child->GetMaxWidth();
        width = std::min(width, maxWidth == 0 ? wc : maxWidth);
        width = std::max(width, 0);
        width = std::max(width, child->GetMinWidth());

        int x;
        if ((m_childAlign & DT_CENTER) != 0) {
            int centre = (rc.left + rc.right) / 2;
            if (hBar) {
                centre += m_horizontalBar->GetRange() / 2 - m_horizontalBar->GetPosition();
            }
            x = centre - width / 2;
        } else if ((m_childAlign & DT_RIGHT) != 0) {
            int edge = rc.right;
            if (hBar) {
                edge += m_horizontalBar->GetRange() - m_horizontalBar->GetPosition();
            }
            x = edge - p.right - width;
        } else {
            x = rc.left + p.left - (hBar ? m_horizontalBar->GetPosition() : 0);
        }

        child->SetItemRect(RECT{x, y + p.top, x + width, y + p.top + static_cast<int>(sz.cy)},
                           false);
        y += sz.cy + p.top + p.bottom + m_childGap;
        neededHeight += sz.cy + p.top + p.bottom;
        remaining -= sz.cy + p.bottom + m_childGap;
        ++laid;
    }
    UpdateScrollBars(rc, neededWidth, neededHeight + m_childGap * std::max(count - 1, 0));
}

}  // namespace VantuUI
