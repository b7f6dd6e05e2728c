#pragma once

// Event handling that several controls share: the hot state bit that
// follows the pointer, and what a control under a native window does.

#include "platform/win32.h"
#include "ui/core/input_event.h"

namespace VantuUI {

class CControlUI;

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
