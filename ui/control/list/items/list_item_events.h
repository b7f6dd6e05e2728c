#pragma once

// What every list item does with input, whether it is a single control or a
// container of controls: selection on press, activation on double click or
// Return, hover, and the owner's keys and wheel.

#include "ui/control/list/list_interfaces.h"
#include "ui/core/input_event.h"

namespace VantuUI {

class CControlUI;
class IContainerUI;
class CContainerUI;

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

// Gives the items from `first` on their owner and index.
void RenumberListItems(const IContainerUI& items, CControlUI* owner, int first);
// Where a remembered index goes when the item at `removed` leaves; -1 when
// it was that item.
int IndexAfterRemoval(int position, int removed);
// Selects the item at `index` and unselects the one at `current`, which
// becomes `index`. False, with nothing changed, when `index` names no
// visible and enabled item; -1 clears the selection.
bool ChangeListSelection(const IContainerUI& items, int& current, int index);

// The item a selection moved `step` items from `current` aims at, within the
// `count` items (count > 0). With nothing selected (-1) a step forward starts
// before the first item and a step back after the last, so Down selects the
// first item and Up the last.
int SteppedSelection(int current, int step, int count);

// Scrolls `body` so that its item at `index` is wholly in view (as much as
// fits). Nothing before the body's first layout.
void ScrollItemIntoView(CContainerUI& body, int index);

// A control that takes no mouse input hands mouse events to its parent;
// true when it did.
bool PassMouseToParent(CControlUI& control, TInputEventUI& event);

// Mouse enter and leave turn `hot` on and off (on only while `control` is
// enabled), repainting on a change. False for any other event.
bool TrackHot(CControlUI& control, bool& hot, const TInputEventUI& event);

enum class ListItemEvent { NotMine, Handled, Activate };

// Selection, hover and the owner's keys; the caller activates the item
// when told to.
ListItemEvent HandleListItemEvent(CControlUI& item, TListItemLinkUI& link, TInputEventUI& event);

}  // namespace VantuUI
