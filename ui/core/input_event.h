#pragma once

// What a control's event handler receives from its paint manager. The kind
// numbers matter: controls test ranges of them.

#include <cstdint>

#include "platform/win32.h"

namespace VantuUI {

class CControlUI;

enum InputEventKind : std::uint32_t {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN = 2,
    UIEVENT_KEYDOWN = 3,
    UIEVENT_KEYUP = 4,
    UIEVENT_CHAR = 5,
    UIEVENT_SYSKEY = 6,
    UIEVENT__KEYEND = 7,
    UIEVENT__MOUSEBEGIN = 8,
    UIEVENT_MOUSEMOVE = 9,
    UIEVENT_MOUSELEAVE = 10,
    UIEVENT_MOUSEENTER = 11,
    UIEVENT_MOUSEHOVER = 12,
    UIEVENT_BUTTONDOWN = 13,
    UIEVENT_BUTTONUP = 14,
    UIEVENT_RBUTTONDOWN = 15,
    UIEVENT_DBLCLICK = 16,
    UIEVENT_CONTEXTMENU = 17,
    UIEVENT_SCROLLWHEEL = 18,
    UIEVENT__MOUSEEND = 19,
    UIEVENT_KILLFOCUS = 20,
    UIEVENT_SETFOCUS = 21,
    UIEVENT_WINDOWSIZE = 22,
    UIEVENT_SETCURSOR = 23,
    UIEVENT_TIMER = 24,
};

struct TInputEventUI {
    InputEventKind Kind = UIEVENT__FIRST;
    CControlUI* Sender = nullptr;
    DWORD Timestamp = 0;
    POINT MousePoint{};
    wchar_t KeyChar = 0;
    WORD KeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace VantuUI
