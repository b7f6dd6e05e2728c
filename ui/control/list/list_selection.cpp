// A list's selection, expansion and keyboard and wheel handling.

#include <algorithm>

#include "ui/control/list/items/list_item_events.h"
#include "ui/control/list/list.h"
#include "ui/control/list/list_body.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

int CListUI::GetCurSel() const {
    return m_curSel;
}

bool CListUI::SelectItem(int index, bool takeFocus) {
    CControlUI* control = m_body->ItemAt(index);
    if (index == m_curSel && (control != nullptr || index == -1)) {
        if (takeFocus && control != nullptr) {
            control->SetFocus();
        }
        return true;
    }
    const int old = m_curSel;
    if (!ChangeListSelection(*m_body, m_curSel, index)) {
        return false;
    }
    if (m_curSel >= 0) {
        EnsureVisible(m_curSel);
        if (takeFocus) {
            control->SetFocus();
        }
    }
    if (m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"itemselect", static_cast<WPARAM>(m_curSel),
                                     static_cast<LPARAM>(old), false, true);
    }
    return true;
}

void CListUI::EnsureVisible(int index) {
    ScrollItemIntoView(*m_body, index);
}

bool CListUI::MoveSelection(int step) {
    if (step == 0 || m_body->ItemCount() == 0) {
        return false;
    }
    const int wanted = SteppedSelection(m_curSel, step, m_body->ItemCount());
    int target = m_body->NextSelectableIndex(wanted, step > 0);
    if (target < 0) {
        target = m_body->NextSelectableIndex(wanted, false);
    }
    return target >= 0 && SelectItem(target, true);
}

void CListUI::HandleItemEvent(TInputEventUI& event) {
    if (event.Kind == UIEVENT_SCROLLWHEEL) {
        const bool up = LOWORD(event.wParam) == 0;
        if (m_scrollSelect) {
            MoveSelection(up ? -1 : 1);
        } else {
            up ? m_body->LineUp() : m_body->LineDown();
        }
        return;
    }
    if (event.Kind != UIEVENT_KEYDOWN) {
        return;
    }
    const int count = m_body->ItemCount();
    CControlUI* current = m_body->ItemAt(std::max(m_curSel, 0));
    const RECT view = m_body->GetContentRect();
    const int rowHeight = current != nullptr ? std::max<int>(1, current->GetHeight()) : 1;
    const int page = std::max<int>(1, (view.bottom - view.top) / rowHeight);
    switch (event.wParam) {
        case VK_UP:
            MoveSelection(-1);
            break;
        case VK_DOWN:
            MoveSelection(1);
            break;
        case VK_PRIOR:
            MoveSelection(-page);
            break;
        case VK_NEXT:
            MoveSelection(page);
            break;
        case VK_HOME:
            MoveSelection(-count - 1);
            break;
        case VK_END:
            MoveSelection(count + 1);
            break;
        default:
            break;
    }
}

void CListUI::HandleEvent(TInputEventUI& event) {
    if ((event.Kind == UIEVENT_KEYDOWN || event.Kind == UIEVENT_SCROLLWHEEL) && IsEnabled()) {
        HandleItemEvent(event);
        return;
    }
    CVerticalLayoutUI::HandleEvent(event);
}

bool CListUI::ExpandItem(int index, bool expand) {
    IListItemUI* item = ListItemAt(index);
    if (item == nullptr) {
        return false;
    }
    if (expand && !m_multiExpanding && m_expandedItem != index) {
        if (IListItemUI* other = ListItemAt(m_expandedItem)) {
            other->Expand(false);
        }
        m_expandedItem = -1;
    }
    if (!item->Expand(expand)) {
        return false;
    }
    if (!m_multiExpanding) {
        m_expandedItem = expand ? index : (m_expandedItem == index ? -1 : m_expandedItem);
    }
    return true;
}

int CListUI::GetExpandedItem() const {
    return m_multiExpanding ? -1 : m_expandedItem;
}

void CListUI::SetMultiExpanding(bool multi) {
    m_multiExpanding = multi;
    if (multi) {
        m_expandedItem = -1;
    }
}

}  // namespace VantuUI
