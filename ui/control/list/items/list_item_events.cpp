#include "ui/control/list/items/list_item_events.h"

#include <algorithm>

#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

void TListItemLinkUI::SetOwner(CControlUI* control) {
    ownerControl = control;
    owner = control != nullptr ? static_cast<IListOwnerUI*>(control->FindInterface(L"IListOwner"))
                               : nullptr;
}

IListUI* TListItemLinkUI::List() const {
    return ownerControl != nullptr ? static_cast<IListUI*>(ownerControl->FindInterface(L"IList"))
                                   : nullptr;
}

namespace {

IListItemUI* ListItemAt(const IContainerUI& items, int index) {
    CControlUI* control = items.ItemAt(index);
    return control != nullptr ? static_cast<IListItemUI*>(control->FindInterface(L"IListItem"))
                              : nullptr;
}

}  // namespace

void RenumberListItems(const IContainerUI& items, CControlUI* owner, int first) {
    const int count = items.ItemCount();
    for (int i = first < 0 ? 0 : first; i < count; ++i) {
        if (IListItemUI* item = ListItemAt(items, i)) {
            item->SetOwner(owner);
            item->SetIndex(i);
        }
    }
}

int IndexAfterRemoval(int position, int removed) {
    if (position == removed) {
        return -1;
    }
    return position > removed ? position - 1 : position;
}

bool ChangeListSelection(const IContainerUI& items, int& current, int index) {
    IListItemUI* item = ListItemAt(items, index);
    if (index != -1) {
        CControlUI* control = items.ItemAt(index);
        if (item == nullptr || !control->IsVisible() || !control->IsEnabled()) {
            return false;
        }
    }
    if (IListItemUI* previous = ListItemAt(items, current)) {
        previous->Select(false);
    }
    current = -1;
    if (item != nullptr && item->Select(true)) {
        current = index;
    }
    return true;
}

int SteppedSelection(int current, int step, int count) {
    const int from = current < 0 ? (step > 0 ? -1 : count) : current;
    return std::clamp(from + step, 0, count - 1);
}

void ScrollItemIntoView(CContainerUI& body, int index) {
    CControlUI* control = body.ItemAt(index);
    if (control == nullptr || body.IsUpdateNeeded()) {
        return;
    }
    const RECT item = control->GetItemRect();
    const RECT view = body.GetContentRect();
    SIZE offset = body.GetScrollOffset();
    if (item.top < view.top) {
        offset.cy -= view.top - item.top;
    } else if (item.bottom > view.bottom) {
        offset.cy += std::min(item.bottom - view.bottom, item.top - view.top);
    } else {
        return;
    }
    body.SetScrollOffset(offset);
}

bool PassMouseToParent(CControlUI& control, TInputEventUI& event) {
    if (control.AcceptsMouse() || event.Kind <= UIEVENT__MOUSEBEGIN ||
        event.Kind >= UIEVENT__MOUSEEND) {
        return false;
    }
    if (CControlUI* parent = control.GetParent()) {
        parent->HandleEvent(event);
    }
    return true;
}

bool TrackHot(CControlUI& control, bool& hot, const TInputEventUI& event) {
    if (event.Kind != UIEVENT_MOUSEENTER && event.Kind != UIEVENT_MOUSELEAVE) {
        return false;
    }
    const bool wanted = event.Kind == UIEVENT_MOUSEENTER && control.IsEnabled();
    if (hot != wanted) {
        hot = wanted;
        control.Invalidate();
    }
    return true;
}

void RaiseListNotification(CControlUI& sender, const wchar_t* type, WPARAM wParam, LPARAM lParam) {
    if (CWindowManagerUI* manager = sender.GetManager()) {
        manager->RaiseNotification(&sender, type, wParam, lParam, false, true);
    }
}

ListItemEvent HandleListItemEvent(CControlUI& item, TListItemLinkUI& link, TInputEventUI& event) {
    const bool enabled = item.IsEnabled();
    switch (event.Kind) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
            if (enabled) {
                if (link.owner != nullptr) {
                    link.owner->SelectItem(link.index, true);
                }
                RaiseListNotification(item, L"itemclick");
                item.Invalidate();
            }
            return ListItemEvent::Handled;
        case UIEVENT_DBLCLICK:
            return enabled ? ListItemEvent::Activate : ListItemEvent::Handled;
        case UIEVENT_KEYDOWN:
            if (event.wParam == VK_RETURN) {
                return enabled ? ListItemEvent::Activate : ListItemEvent::Handled;
            }
            if (link.owner != nullptr) {
                link.owner->HandleItemEvent(event);
                return ListItemEvent::Handled;
            }
            return ListItemEvent::NotMine;
        case UIEVENT_SCROLLWHEEL:
            if (link.owner != nullptr) {
                link.owner->HandleItemEvent(event);
                return ListItemEvent::Handled;
            }
            return ListItemEvent::NotMine;
        case UIEVENT_MOUSEENTER:
        case UIEVENT_MOUSELEAVE:
            TrackHot(item, link.hot, event);
            return ListItemEvent::Handled;
        default:
            return ListItemEvent::NotMine;
    }
}

}  // namespace VantuUI
