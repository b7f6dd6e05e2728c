#pragma once

// Event handling that several controls share: mouse events of a control
// that ignores the mouse, and the hot state bit that follows the pointer.

#include "platform/win32.h"
#include "ui/core/input_event.h"

namespace VantuUI {

class CControlUI;
class CLabelUI;

inline bool IsMouseEvent(const TInputEventUI& event) {
    return event.Kind > UIEVENT__MOUSEBEGIN && event.Kind < UIEVENT__MOUSEEND;
}

// A mouse event reaching a label-based control that does not accept the
// mouse goes to its parent, or without one to the plain label's handling.
// False when the control handles the event itself.
bool PassIgnoredMouseEvent(CLabelUI& control, TInputEventUI& event);

// Mouse enter and leave: the hot bit of `state` is set on entering, and
// cleared once the pointer has really left (a leave reported while it is
// still inside asks for the next one). False for other events.
bool TrackHotState(CControlUI& control, UINT& state, const TInputEventUI& event);

}  // namespace VantuUI
