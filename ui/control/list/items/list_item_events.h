#pragma once

// What every list item does with input, whether it is a single control or a
// container of controls: selection on press, activation on double click or
// Return, hover, and the owner's keys and wheel.

#include "ui/control/list/list_interfaces.h"
#include "ui/core/input_event.h"

namespace VantuUI {

class CControlUI;

// The state an item keeps for its owner.
struct TListItemLinkUI {
    int index = -1;
    bool selected = false;
    bool expanded = false;
    bool hot = false;
    CControlUI* ownerControl = nullptr;
    IListOwnerUI* owner = nullptr;

    void SetOwner(CControlUI* control);
    // The owner as a list (header, text callback, expansion), or null.
    IListUI* List() const;
};

// Raises a notification from `sender` when it has a manager.
void RaiseListNotification(CControlUI& sender, const wchar_t* type, WPARAM wParam = 0,
                           LPARAM lParam = 0);

enum class ListItemEvent { NotMine, Handled, Activate };

// Selection, hover and the owner's keys; the caller activates the item
// when told to.
ListItemEvent HandleListItemEvent(CControlUI& item, TListItemLinkUI& link, TInputEventUI& event);

}  // namespace VantuUI
