// Scroll bars of a container: creation, visibility and range after a layout,
// and scrolling by lines, pages and ends.

#include <algorithm>
#include <cstdlib>

#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

namespace {

// A layout that keeps asking for another pass would otherwise never end.
constexpr int kMaxScrollRelayouts = 4;

// A line step: the bar's scroll unit when it has one, else the fallback.
int LineStep(const CScrollBarUI* bar, int fallback) {
    return bar != nullptr && bar->GetScrollUnit() > 1 ? bar->GetScrollUnit() : fallback;
}

}  // namespace

void CContainerUI::SetScrollBarsEnabled(bool vertical, bool horizontal) {
    auto update = [this](CScrollBarUI*& bar, bool wanted, bool isHorizontal) {
        if (!wanted) {
            if (bar != nullptr) {
                bar->Destroy();
                bar = nullptr;
            }
            return;
        }
        if (bar != nullptr) {
            return;
        }
        bar = new CScrollBarUI;
        bar->SetHorizontal(isHorizontal);
        bar->SetOwner(this);
        bar->AttachToManager(m_manager, nullptr, false);
        if (m_manager != nullptr) {
            if (const wchar_t* defaults =
                    m_manager->ClassDefaults(isHorizontal ? L"HScrollBar" : L"VScrollBar")) {
                bar->ApplyAttributeString(defaults);
            }
        }
    };
    update(m_verticalBar, vertical, false);
    update(m_horizontalBar, horizontal, true);
    RequestLayout();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const {
    return m_verticalBar;
}

CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const {
    return m_horizontalBar;
}

SIZE CContainerUI::GetScrollOffset() const {
    return SIZE{HorizontalBarShown() ? m_horizontalBar->GetPosition() : 0,
                VerticalBarShown() ? m_verticalBar->GetPosition() : 0};
}

SIZE CContainerUI::GetScrollExtent() const {
    return SIZE{HorizontalBarShown() ? m_horizontalBar->GetRange() : 0,
                VerticalBarShown() ? m_verticalBar->GetRange() : 0};
}

void CContainerUI::SetScrollOffset(SIZE offset) {
    const SIZE old = GetScrollOffset();
    if (HorizontalBarShown()) {
        m_horizontalBar->SetPosition(offset.cx);
    }
    if (VerticalBarShown()) {
        m_verticalBar->SetPosition(offset.cy);
    }
    const SIZE now = GetScrollOffset();
    if (now == old) {
        return;
    }
    const SIZE delta{-(now.cx - old.cx), -(now.cy - old.cy)};
    for (CControlUI* child : m_items) {
        if (child->IsVisible() && !child->IsFloating()) {
            child->Move(delta, false);
        }
    }
    Invalidate();
}

// Vertical lines follow the text: one font height and a margin.
int CContainerUI::VerticalLineStep() const {
    return LineStep(m_verticalBar, m_manager != nullptr ? m_manager->DefaultFontHeight() + 8 : 8);
}

int CContainerUI::HorizontalLineStep() const {
    return LineStep(m_horizontalBar, 8);
}

void CContainerUI::ScrollBy(int dx, int dy) {
    const SIZE offset = GetScrollOffset();
    SetScrollOffset(SIZE{offset.cx + dx, offset.cy + dy});
}

void CContainerUI::LineUp() {
    ScrollBy(0, -VerticalLineStep());
}

void CContainerUI::LineDown() {
    ScrollBy(0, VerticalLineStep());
}

// A page is the content area, what one screen of the container shows.
void CContainerUI::PageUp() {
    const RECT area = ContentArea();
    ScrollBy(0, -(area.bottom - area.top));
}

void CContainerUI::PageDown() {
    const RECT area = ContentArea();
    ScrollBy(0, area.bottom - area.top);
}

void CContainerUI::ScrollToTop() {
    SetScrollOffset(SIZE{GetScrollOffset().cx, 0});
}

void CContainerUI::ScrollToBottom() {
    SetScrollOffset(SIZE{GetScrollOffset().cx, GetScrollExtent().cy});
}

void CContainerUI::LineLeft() {
    ScrollBy(-HorizontalLineStep(), 0);
}

void CContainerUI::LineRight() {
    ScrollBy(HorizontalLineStep(), 0);
}

void CContainerUI::PageLeft() {
    const RECT area = ContentArea();
    ScrollBy(-(area.right - area.left), 0);
}

void CContainerUI::PageRight() {
    const RECT area = ContentArea();
    ScrollBy(area.right - area.left, 0);
}

void CContainerUI::ScrollToLeftEnd() {
    SetScrollOffset(SIZE{0, GetScrollOffset().cy});
}

void CContainerUI::ScrollToRightEnd() {
    SetScrollOffset(SIZE{GetScrollExtent().cx, GetScrollOffset().cy});
}

void CContainerUI::UpdateScrollBars(RECT rc, int neededWidth, int neededHeight) {
    if (m_scrollRelayoutDepth >= kMaxScrollRelayouts) {
        return;
    }
    auto relayout = [this](bool invalidate) {
        ++m_scrollRelayoutDepth;
        SetItemRect(m_floating && m_parent != nullptr ? GetParentRelativeRect() : m_itemRect,
                    invalidate);
        --m_scrollRelayoutDepth;
    };

    bool horizontalChanged = false;
    if (m_horizontalBar != nullptr) {
        const int range = neededWidth - (rc.right - rc.left);
        const int height = m_horizontalBar->GetFixedHeight();
        if (range > 0) {
            if (!m_horizontalBar->IsVisible()) {
                m_horizontalBar->SetVisible(true);
                m_horizontalBar->SetPosition(0, false);
                rc.bottom -= height;
            }
            m_horizontalBar->SetItemRect(RECT{rc.left, rc.bottom, rc.right, rc.bottom + height},
                                         true);
            if (m_horizontalBar->GetRange() != range) {
                m_horizontalBar->SetRange(range);
                horizontalChanged = true;
            }
        } else if (m_horizontalBar->IsVisible()) {
            m_horizontalBar->SetVisible(false);
            m_horizontalBar->SetPosition(0, false);
            m_horizontalBar->SetRange(0);
            rc.bottom += height;
            horizontalChanged = true;
        }
    }

    if (m_verticalBar == nullptr) {
        if (horizontalChanged) {
            relayout(false);
        }
        return;
    }
    const int range = neededHeight - (rc.bottom - rc.top);
    const int width = m_verticalBar->GetFixedWidth();
    if (range > 0 && !m_verticalBar->IsVisible()) {
        m_verticalBar->SetVisible(true);
        m_verticalBar->SetRange(range);
        m_verticalBar->SetPosition(0, false);
        if (HorizontalBarShown()) {
            RECT hr = m_horizontalBar->GetItemRect();
            hr.right -= width;
            m_horizontalBar->SetItemRect(hr, true);
            m_horizontalBar->SetRange(m_horizontalBar->GetRange() + width);
        }
        m_scrollUpdateRunning = true;
        relayout(true);
        m_scrollUpdateRunning = false;
        return;
    }
    if (m_verticalBar->IsVisible() && (range > 0 || m_scrollUpdateRunning)) {
        m_verticalBar->SetItemRect(RECT{rc.right, rc.top, rc.right + width, rc.bottom}, true);
        if (m_verticalBar->GetRange() == range) {
            if (horizontalChanged) {
                relayout(false);
            }
            return;
        }
        const int oldPosition = m_verticalBar->GetPosition();
        m_verticalBar->SetRange(std::abs(range));
        if (m_verticalBar->GetRange() == 0) {
            m_verticalBar->SetVisible(false);
            m_verticalBar->SetPosition(0, false);
        }
        if (m_verticalBar->GetPosition() < oldPosition || horizontalChanged) {
            relayout(false);
        }
        return;
    }
    if (m_verticalBar->IsVisible()) {
        m_verticalBar->SetVisible(false);
        m_verticalBar->SetPosition(0, false);
        m_verticalBar->SetRange(0);
        if (HorizontalBarShown()) {
            RECT hr = m_horizontalBar->GetItemRect();
            hr.right += width;
            m_horizontalBar->SetItemRect(hr, true);
            m_horizontalBar->SetRange(std::max(0, m_horizontalBar->GetRange() - width));
        }
        relayout(true);
        return;
    }
    if (horizontalChanged) {
        relayout(false);
    }
}

}  // namespace VantuUI
