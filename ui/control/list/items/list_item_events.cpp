#include "ui/control/list/items/list_item_events.h"

#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"

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
            if (enabled && !link.hot) {
                link.hot = true;
                item.Invalidate();
            }
            return ListItemEvent::Handled;
        case UIEVENT_MOUSELEAVE:
            if (link.hot) {
                link.hot = false;
                item.Invalidate();
            }
            return ListItemEvent::Handled;
        default:
            return ListItemEvent::NotMine;
    }
}

}  // namespace VantuUI
