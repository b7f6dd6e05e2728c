// Mouse input of a scroll bar: arrow and track clicks, thumb drags, the
// auto-repeat of a held button, and the hot marks.

#include <algorithm>
#include <cstdint>

#include "ui/control/control_state.h"
#include "ui/control/rect_math.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

namespace {

bool IsMouseEvent(InputEventKind kind) {
    return kind > UIEVENT__MOUSEBEGIN && kind < UIEVENT__MOUSEEND;
}

}  // namespace

void CScrollBarUI::HandleEvent(TInputEventUI& event) {
    if (!m_mouseEnabled && IsMouseEvent(event.Kind)) {
        PassOn(event);
        return;
    }
    switch (event.Kind) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
        case UIEVENT_CONTEXTMENU:
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (IsEnabled()) {
                OnButtonDown(event.MousePoint);
            }
            return;
        case UIEVENT_MOUSEMOVE:
            OnMouseMove(event.MousePoint);
            return;
        case UIEVENT_TIMER:
            if (event.wParam == kRepeatTimerKey) {
                OnRepeatTick();
                return;
            }
            break;
        case UIEVENT_BUTTONUP:
            OnButtonUp();
            return;
        case UIEVENT_MOUSEENTER:
            OnMouseEnter(event.MousePoint);
            return;
        case UIEVENT_MOUSELEAVE:
            OnMouseLeave(event.MousePoint);
            return;
        default:
            break;
    }
    PassOn(event);
}

// What the bar does not use belongs to its owner, so the wheel over the bar
// scrolls the container.
void CScrollBarUI::PassOn(TInputEventUI& event) {
    if (m_owner != nullptr) {
        m_owner->HandleEvent(event);
    } else {
        CControlUI::HandleEvent(event);
    }
}

void CScrollBarUI::OnButtonDown(POINT point) {
    m_repeatCount = 0;
    m_dragOffset = 0;
    if (m_manager != nullptr) {
        m_manager->StartTimer(this, kRepeatTimerKey, kRepeatTimerElapse);
    }
    if (RectContains(m_button1.rect, point)) {
        m_button1.state |= UISTATE_PUSHED;
        ScrollLines(-1);
    } else if (RectContains(m_button2.rect, point)) {
        m_button2.state |= UISTATE_PUSHED;
        ScrollLines(1);
    } else if (RectContains(m_thumb.rect, point)) {
        m_thumb.state |= UISTATE_PUSHED | UISTATE_CAPTURED;
        m_dragStartPoint = point;
        m_dragStartPosition = m_position;
    } else {
        PageTowards(point);
    }
    Invalidate();
}

void CScrollBarUI::OnMouseMove(POINT point) {
    if ((m_thumb.state & UISTATE_CAPTURED) != 0) {
        // The thumb travels the track less its own length; that travel spans the range.
        const int travel = (m_horizontal ? GetWidth() : GetHeight()) -
                           (m_horizontal ? m_thumb.rect.right - m_thumb.rect.left
                                         : m_thumb.rect.bottom - m_thumb.rect.top) -
                           Thickness() * ((m_button1.shown ? 1 : 0) + (m_button2.shown ? 1 : 0));
        if (travel != 0) {
            const int moved =
                m_horizontal ? point.x - m_dragStartPoint.x : point.y - m_dragStartPoint.y;
            m_dragOffset = static_cast<int>(std::clamp<std::int64_t>(
                std::int64_t{moved} * m_range / travel, -m_range, m_range));
        }
        return;
    }
    if (!IsEnabled()) {
        return;
    }
    const bool onThumb = RectContains(m_thumb.rect, point);
    if (onThumb != ((m_thumb.state & UISTATE_HOT) != 0)) {
        m_thumb.state ^= UISTATE_HOT;
        Invalidate();
    }
}

void CScrollBarUI::OnRepeatTick() {
    ++m_repeatCount;
    if ((m_thumb.state & UISTATE_CAPTURED) != 0) {
        DragTo(static_cast<int>(std::clamp<std::int64_t>(
            std::int64_t{m_dragStartPosition} + m_dragOffset, 0, m_range)));
        Invalidate();
        return;
    }
    if (m_repeatCount <= kRepeatDelayTicks || !IsEnabled()) {
        return;
    }
    if ((m_button1.state & UISTATE_PUSHED) != 0) {
        ScrollLines(-1);
    } else if ((m_button2.state & UISTATE_PUSHED) != 0) {
        ScrollLines(1);
    } else if (m_manager != nullptr) {
        // A held track click pages on until the thumb reaches the pointer.
        PageTowards(m_manager->MousePosition());
    }
}

void CScrollBarUI::OnButtonUp() {
    m_repeatCount = 0;
    m_dragOffset = 0;
    if (m_manager != nullptr) {
        m_manager->StopTimer(this, kRepeatTimerKey);
    }
    if ((m_thumb.state & UISTATE_CAPTURED) != 0) {
        m_thumb.state &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
    } else if ((m_button1.state & UISTATE_PUSHED) != 0) {
        m_button1.state &= ~UISTATE_PUSHED;
    } else if ((m_button2.state & UISTATE_PUSHED) != 0) {
        m_button2.state &= ~UISTATE_PUSHED;
    } else {
        return;
    }
    Invalidate();
}

void CScrollBarUI::OnMouseEnter(POINT point) {
    if (!IsEnabled() || !RectContains(m_itemRect, point)) {
        return;
    }
    m_button1.state |= UISTATE_HOT;
    m_button2.state |= UISTATE_HOT;
    if (RectContains(m_thumb.rect, point)) {
        m_thumb.state |= UISTATE_HOT;
    }
    if (m_manager != nullptr) {
        m_manager->RequestMouseLeave(this);
    }
    Invalidate();
}

void CScrollBarUI::OnMouseLeave(POINT point) {
    if (m_manager != nullptr && RectContains(m_itemRect, point)) {
        // Still over the bar (a control above it took the hover): keep watching.
        m_manager->RequestMouseLeave(this);
        return;
    }
    for (Piece* piece : {&m_button1, &m_button2, &m_thumb}) {
        piece->state &= ~UISTATE_HOT;
    }
    if (m_manager != nullptr) {
        m_manager->CancelMouseLeave(this);
    }
    Invalidate();
}

void CScrollBarUI::ScrollLines(int direction) {
    if (m_horizontal) {
        Step(direction, &CContainerUI::LineLeft, &CContainerUI::LineRight, LineStep());
    } else {
        Step(direction, &CContainerUI::LineUp, &CContainerUI::LineDown, LineStep());
    }
}

// A page of a bar without an owner is its own length.
void CScrollBarUI::ScrollPages(int direction) {
    if (m_horizontal) {
        Step(direction, &CContainerUI::PageLeft, &CContainerUI::PageRight, GetWidth());
    } else {
        Step(direction, &CContainerUI::PageUp, &CContainerUI::PageDown, GetHeight());
    }
}

int CScrollBarUI::LineStep() const {
    return m_scrollUnit > 1 ? m_scrollUnit : m_lineSize;
}

void CScrollBarUI::Step(int direction, OwnerStep back, OwnerStep forward, int ownStep) {
    if (m_owner != nullptr) {
        (m_owner->*(direction < 0 ? back : forward))();
        return;
    }
    SetPosition(m_position + direction * ownStep);
}

void CScrollBarUI::PageTowards(POINT point) {
    if (RectIsEmpty(m_thumb.rect)) {
        return;  // a bar too short for a thumb has no track either
    }
    const LONG at = m_horizontal ? point.x : point.y;
    const LONG thumbStart = m_horizontal ? m_thumb.rect.left : m_thumb.rect.top;
    const LONG thumbEnd = m_horizontal ? m_thumb.rect.right : m_thumb.rect.bottom;
    if (at < thumbStart) {
        ScrollPages(-1);
    } else if (at >= thumbEnd) {
        ScrollPages(1);
    }
}

void CScrollBarUI::DragTo(int position) {
    if (m_owner == nullptr) {
        SetPosition(position);
        return;
    }
    const SIZE offset = m_owner->GetScrollOffset();
    m_owner->SetScrollOffset(m_horizontal ? SIZE{position, offset.cy} : SIZE{offset.cx, position});
}

}  // namespace VantuUI
