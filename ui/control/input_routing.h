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

// What the edit box and the date picker do alike, a native window lying
// over them while they are edited: the I-beam cursor, a resized window
// taking the focus back to the first tab stop, the wheel kept from an open
// window's content, and mouse moves, releases and context menus swallowed.
// True when the event is consumed.
bool HandleTextHostEvent(CControlUI& control, bool windowOpen, const TInputEventUI& event);

}  // namespace VantuUI
