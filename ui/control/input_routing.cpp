#include "ui/control/input_routing.h"

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/control/control_state.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

bool TrackHotState(CControlUI& control, UINT& state, const TInputEventUI& event) {
    const bool inside = RectContains(control.GetItemRect(), event.MousePoint);
    if (event.Kind == UIEVENT_MOUSEENTER) {
        if (inside && control.IsEnabled() && (state & UISTATE_HOT) == 0) {
            state |= UISTATE_HOT;
            control.Invalidate();
        }
        return true;
    }
    if (event.Kind != UIEVENT_MOUSELEAVE) {
        return false;
    }
    CWindowManagerUI* manager = control.GetManager();
    if (inside) {
        if (manager != nullptr) {
            manager->RequestMouseLeave(&control);
        }
        return true;
    }
    if (control.IsEnabled() && (state & UISTATE_HOT) != 0) {
        state &= ~UISTATE_HOT;
        control.Invalidate();
    }
    if (manager != nullptr) {
        manager->CancelMouseLeave(&control);
    }
    return true;
}

bool HandleTextHostEvent(CControlUI& control, bool windowOpen, const TInputEventUI& event) {
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            if (!control.IsEnabled()) {
                return false;
            }
            ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
            return true;
        case UIEVENT_WINDOWSIZE:
            if (windowOpen && control.GetManager() != nullptr) {
                control.GetManager()->FocusFirstTabStop();
            }
            return false;
        case UIEVENT_SCROLLWHEEL:
            return windowOpen;
        case UIEVENT_MOUSEMOVE:
        case UIEVENT_BUTTONUP:
        case UIEVENT_CONTEXTMENU:
            return true;
        default:
            return false;
    }
}

}  // namespace VantuUI
