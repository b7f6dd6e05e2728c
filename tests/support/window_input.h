#pragma once

// Input for tests that drive windows as a user would, the same calls on both
// systems: the stand-in's offscreen display on Linux, user32's own input
// queue on Windows. Coordinates are relative to the top-level window's client
// area; keys are virtual-key codes. Input is queued: window procedures see
// it when the thread's messages run.

#include <string>

#include "platform/window/window_api.h"

namespace test_input {

enum class Button { Left, Right };

enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Once before the first window: the offscreen display where there is one.
void PrepareDisplay();

void MouseMove(HWND top, int x, int y);
// `clicks` 2 makes a press the second of a double click.
void MouseButton(HWND top, Button button, bool down, int x, int y, int clicks = 1);
void MouseWheel(HWND top, int steps);
void MouseLeave(HWND top);
void Key(HWND top, int virtualKey, bool down, unsigned modifiers = kNoModifier);
void Text(HWND top, const std::string& utf8);
void Focus(HWND top, bool gained);

// Runs the calling thread's messages (translated and dispatched) until none is left.
void RunPendingMessages();

}  // namespace test_input
