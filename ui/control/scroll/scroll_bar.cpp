// Range, position and steps of a scroll bar, and the layout of its buttons,
// track and thumb.

#include "ui/control/scroll/scroll_bar.h"

#include <algorithm>
#include <cstdint>

#include "ui/control/control_state.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

namespace {

constexpr int kDefaultThickness = 16;

// Swaps x and y, so a horizontal bar is laid out as a vertical one.
RECT Transposed(const RECT& r) {
    return RECT{r.top, r.left, r.bottom, r.right};
}

struct PartRects {
    RECT button1{};
    RECT button2{};
    RECT thumb{};
};

// The parts of a vertical bar of thickness `t` in `r`. The thumb's length is
// the track's share that the visible part is of the whole (visible height
// plus range), never shorter than the bar is thick.
PartRects VerticalParts(const RECT& r, int t, bool shown1, bool shown2, int range, int position) {
    PartRects parts;
    const int height = r.bottom - r.top;
    const int track = height - (shown1 ? t : 0) - (shown2 ? t : 0);
    if (t >= track) {
        // Too short for a thumb: two buttons of half the height at most.
        const int button = std::min(t, height / 2);
        parts.button1 = shown1 ? RECT{r.left, r.top, r.left + t, r.top + button}
                               : RECT{r.left, r.top, r.left, r.top};
        parts.button2 = shown2 ? RECT{r.left, r.bottom - button, r.left + t, r.bottom}
                               : RECT{r.left, r.bottom, r.left, r.bottom};
        return parts;
    }
    parts.button1 =
        shown1 ? RECT{r.left, r.top, r.left + t, r.top + t} : RECT{r.left, r.top, r.left, r.top};
    parts.button2 = shown2 ? RECT{r.left, r.bottom - t, r.left + t, r.bottom}
                           : RECT{r.left, r.bottom, r.left, r.bottom};
    parts.thumb = RECT{r.left, parts.button1.bottom, r.left + t, parts.button2.top};
    if (range <= 0) {
        return parts;
    }
    // 64 bits: a long text's range times the track overflows 32.
    const auto length = static_cast<LONG>(
        std::max<std::int64_t>(t, std::int64_t{height} * track / (std::int64_t{height} + range)));
    LONG top =
        parts.button1.bottom + static_cast<LONG>(std::int64_t{track - length} * position / range);
    top = std::min(top, parts.button2.top - length);
    parts.thumb.top = top;
    parts.thumb.bottom = top + length;
    return parts;
}

}  // namespace

CScrollBarUI::CScrollBarUI() {
    m_fixedSize.cx = kDefaultThickness;
}

std::wstring CScrollBarUI::GetClass() const {
    return L"ScrollBar";
}

void* CScrollBarUI::FindInterface(const std::wstring& name) {
    if (name == L"ScrollBar") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

int CScrollBarUI::Thickness() const {
    return m_horizontal ? m_fixedSize.cy : m_fixedSize.cx;
}

void CScrollBarUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    LayOutParts();
}

void CScrollBarUI::LayOutParts() {
    if (m_horizontal) {
        const PartRects parts = VerticalParts(Transposed(m_itemRect), Thickness(), m_button1.shown,
                                              m_button2.shown, m_range, m_position);
        m_button1.rect = Transposed(parts.button1);
        m_button2.rect = Transposed(parts.button2);
        m_thumb.rect = Transposed(parts.thumb);
        return;
    }
    const PartRects parts = VerticalParts(m_itemRect, Thickness(), m_button1.shown, m_button2.shown,
                                          m_range, m_position);
    m_button1.rect = parts.button1;
    m_button2.rect = parts.button2;
    m_thumb.rect = parts.thumb;
}

// The parts travel with the bar when a scrolled parent moves it.
void CScrollBarUI::Move(SIZE offset, bool invalidate) {
    CControlUI::Move(offset, invalidate);
    for (Piece* piece : {&m_button1, &m_button2, &m_thumb}) {
        piece->rect = RectOffset(piece->rect, offset.cx, offset.cy);
    }
}

void CScrollBarUI::SetVisible(bool visible) {
    // Laying the bar out is its owner's business.
    m_visible = visible;
    m_focused = false;
}

void CScrollBarUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        m_button1.state = 0;
        m_button2.state = 0;
        m_thumb.state = 0;
        // A held button or track must not keep scrolling a disabled bar.
        if (m_manager != nullptr) {
            m_manager->StopTimer(this, kRepeatTimerKey);
        }
    }
}

void CScrollBarUI::SetFocus() {
    if (m_owner != nullptr) {
        m_owner->SetFocus();
        return;
    }
    CControlUI::SetFocus();
}

bool CScrollBarUI::IsHorizontal() const {
    return m_horizontal;
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
    if (m_horizontal == horizontal) {
        return;
    }
    m_horizontal = horizontal;
    if (m_horizontal) {
        if (m_fixedSize.cy == 0) {
            m_fixedSize.cx = 0;
            m_fixedSize.cy = kDefaultThickness;
        }
    } else if (m_fixedSize.cx == 0) {
        m_fixedSize.cx = kDefaultThickness;
        m_fixedSize.cy = 0;
    }
    if (m_owner != nullptr) {
        m_owner->RequestLayout();
    } else {
        RequestParentLayout();
    }
}

int CScrollBarUI::GetRange() const {
    return m_range;
}

void CScrollBarUI::SetRange(int range) {
    if (m_range == range) {
        return;
    }
    m_range = std::max(range, 0);
    m_position = std::min(m_position, m_range);
    SetItemRect(m_itemRect, true);
}

int CScrollBarUI::GetPosition() const {
    return m_position;
}

void CScrollBarUI::SetPosition(int position, bool notify) {
    if (m_position == position) {
        return;
    }
    int next = std::max(position, 0);
    if (m_scrollUnit > 1) {
        const int rest = next % m_scrollUnit;
        if (rest != 0) {
            next += rest < m_scrollUnit / 2 ? -rest : m_scrollUnit - rest;
        }
    }
    next = std::min(next, m_range);
    // Held against an end the bar does not move, and says nothing.
    if (next == m_position) {
        return;
    }
    const int old = m_position;
    m_position = next;
    SetItemRect(m_itemRect, true);
    if (notify && m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"scroll", static_cast<WPARAM>(m_position), old, true,
                                     false);
    }
}

int CScrollBarUI::GetLineSize() const {
    return m_lineSize;
}

void CScrollBarUI::SetLineSize(int size) {
    if (size >= 0) {
        m_lineSize = size;
    }
}

int CScrollBarUI::GetScrollUnit() const {
    return m_scrollUnit;
}

void CScrollBarUI::SetScrollUnit(int unit) {
    if (unit >= 0) {
        m_scrollUnit = unit;
    }
}

CContainerUI* CScrollBarUI::GetOwner() const {
    return m_owner;
}

void CScrollBarUI::SetOwner(CContainerUI* owner) {
    m_owner = owner;
}

bool CScrollBarUI::IsButton1Shown() const {
    return m_button1.shown;
}

void CScrollBarUI::ShowButton1(bool show) {
    m_button1.shown = show;
    SetItemRect(m_itemRect, true);
}

bool CScrollBarUI::IsButton2Shown() const {
    return m_button2.shown;
}

void CScrollBarUI::ShowButton2(bool show) {
    m_button2.shown = show;
    SetItemRect(m_itemRect, true);
}

RECT CScrollBarUI::GetPartRect(ScrollBarPart part) const {
    const Piece* piece = PieceOf(part);
    return piece != nullptr ? piece->rect : m_itemRect;
}

UINT CScrollBarUI::GetPartState(ScrollBarPart part) const {
    const Piece* piece = PieceOf(part);
    if (piece != nullptr) {
        return piece->state;
    }
    return IsEnabled() ? 0 : UISTATE_DISABLED;
}

}  // namespace VantuUI
