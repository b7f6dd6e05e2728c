// Test input through user32's own input queue, as a user's would arrive:
// the cursor is moved (which queues the move), presses, wheel turns, keys and
// text are sent as hardware input, so hit testing, capture, key state and
// mouse tracking are the system's.

#include "tests/support/window_input.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/text/text_codec.h"

namespace test_input {

namespace {

POINT ScreenPoint(HWND top, int x, int y) {
    POINT point{x, y};
    ClientToScreen(top, &point);
    return point;
}

// A press is a double click when it follows the last one within the
// double-click time: presses carry times of their own, so that quick tests
// make double clicks only when they ask for them.
DWORD PressTime(int clicks) {
    static DWORD last = 0;
    const DWORD gap = clicks >= 2 ? 1 : GetDoubleClickTime() + 1;
    last = std::max<DWORD>(GetTickCount(), last + gap);
    return last;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags, DWORD data = 0, DWORD time = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.time = time;
    return input;
}

INPUT KeyInput(WORD virtualKey, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

// Keys and the wheel go to the foreground window's focus.
void MakeForeground(HWND top) {
    HWND root = GetAncestor(top, GA_ROOT);
    if (GetForegroundWindow() != root) {
        SetForegroundWindow(root);
    }
}

void AddKey(std::vector<INPUT>& inputs, int virtualKey, bool down) {
    const WORD scan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    inputs.push_back(KeyInput(static_cast<WORD>(virtualKey), scan, down ? 0 : KEYEVENTF_KEYUP));
}

}  // namespace

void PrepareDisplay() {}

void MouseMove(HWND top, int x, int y) {
    // The queue merges a move with the one before it while both wait: each
    // move a test makes is delivered, as the display stand-in does, after the
    // presses queued before it (a drag's press comes before its move).
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        DispatchMessage(&msg);
    }
    const POINT point = ScreenPoint(top, x, y);
    SetCursorPos(point.x, point.y);
    while (PeekMessage(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
        DispatchMessage(&msg);
    }
}

void MouseButton(HWND top, Button button, bool down, int x, int y, int clicks) {
    MouseMove(top, x, y);
    DWORD flags = 0;
    if (button == Button::Left) {
        flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    } else {
        flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    }
    Send({MouseInput(flags, 0, down ? PressTime(clicks) : 0)});
}

void MouseWheel(HWND top, int steps) {
    MakeForeground(top);
    Send({MouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(steps * WHEEL_DELTA))});
}

void MouseLeave(HWND top) {
    // Off every window of the test: the bottom-right corner of the screen.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // The system notices the leave on its next tracking tick; the test gets
    // it at once, as from the display stand-in.
    TRACKMOUSEEVENT tracking{};
    tracking.cbSize = sizeof(tracking);
    tracking.dwFlags = TME_QUERY;
    if (TrackMouseEvent(&tracking) != FALSE && (tracking.dwFlags & TME_LEAVE) != 0 &&
        (tracking.hwndTrack == top || IsChild(top, tracking.hwndTrack) != FALSE)) {
        HWND tracked = tracking.hwndTrack;
        tracking.dwFlags = TME_CANCEL | TME_LEAVE;
        TrackMouseEvent(&tracking);
        PostMessage(tracked, WM_MOUSELEAVE, 0, 0);
    }
}

void Key(HWND top, int virtualKey, bool down, unsigned modifiers) {
    MakeForeground(top);
    // The modifiers are held only as long as this key's event lasts, unless
    // the test holds them itself (as a press of the modifier's own key).
    const std::pair<unsigned, int> held[] = {
        {kShift, VK_SHIFT}, {kControl, VK_CONTROL}, {kAlt, VK_MENU}};
    std::vector<INPUT> inputs;
    std::vector<int> pressed;
    for (const auto& [modifier, modifierKey] : held) {
        if ((modifiers & modifier) != 0 && modifierKey != virtualKey &&
            (GetAsyncKeyState(modifierKey) & 0x8000) == 0) {
            AddKey(inputs, modifierKey, true);
            pressed.push_back(modifierKey);
        }
    }
    AddKey(inputs, virtualKey, down);
    for (int modifierKey : pressed) {
        AddKey(inputs, modifierKey, false);
    }
    Send(std::move(inputs));
}

void Text(HWND top, const std::string& utf8) {
    MakeForeground(top);
    std::vector<INPUT> inputs;
    for (wchar_t unit : platform::DecodeUtf8(utf8).value_or(std::wstring{})) {
        inputs.push_back(KeyInput(0, static_cast<WORD>(unit), KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, static_cast<WORD>(unit), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    Send(std::move(inputs));
}

void Focus(HWND top, bool gained) {
    if (!gained) {
        SetFocus(nullptr);
        return;
    }
    MakeForeground(top);
    HWND focus = GetFocus();
    if (focus != top && IsChild(top, focus) == FALSE) {
        SetFocus(top);
    }
}

void RunPendingMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

}  // namespace test_input
