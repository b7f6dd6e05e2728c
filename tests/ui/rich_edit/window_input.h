#pragma once

// What the rich edit's tests do to a window as a user would, on either
// system: the offscreen display's input on Linux, the window's own messages
// on Windows (keys posted and translated by the message loop, the Ctrl key
// held in the thread's keyboard state).

#include <cstdint>
#include <string>

#include "ui/core/manager/window_manager.h"

namespace rich_edit_testing {

// A window class whose windows pass their messages to the paint manager kept
// in GWLP_USERDATA.
const wchar_t* ManagedClass();
// Runs the thread's messages as the product's loop does, until none is left.
void Pump();
// Runs what is left after a window went.
void RunPendingMessages();

void FocusWindow(HWND window);
void MouseMove(HWND window, int x, int y);
void LeftButton(HWND window, bool down, int x, int y);
// Wheel notches at the last mouse position: negative scrolls down.
void Wheel(HWND window, int notches);

enum class Key { Return, Tab, Backspace, C };
// Pressed and released, with Ctrl held when `control`.
void PressKey(HWND window, Key key, bool control = false);
// Characters as a keyboard or an input method would give them.
void TypeText(HWND window, const std::wstring& text);

// The colour (0xRRGGBB) the window shows at client (x, y).
std::uint32_t PresentedPixel(VantuUI::CWindowManagerUI& manager, HWND window, int x, int y);
std::wstring ClipboardText();

// Whether the system is wine, whose text services lack a few things.
bool UnderWine();

}  // namespace rich_edit_testing
