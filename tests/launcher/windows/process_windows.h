#pragma once

// Another process's top-level windows on the wine desktop, found by class and
// driven through their message queue as user32 would deliver a user's input.

#include <windows.h>

#include <chrono>
#include <string>

namespace testing_support {

// A visible top-level window of that class made by process `pid`, waited
// for; null when none came within `wait`.
HWND WaitForProcessWindow(DWORD pid, const wchar_t* cls, std::chrono::milliseconds wait);
// Whether no such window is left within `wait`.
bool WaitForNoProcessWindow(DWORD pid, const wchar_t* cls, std::chrono::milliseconds wait);

// A left click at a client point: the move, the press and the release.
void ClickClient(HWND window, int x, int y);

// The launcher's "MessageBox" of process `pid` once it is up: checks its
// size, clicks the client point `button` and waits for the box to go. Its
// caption; a box that does not come or does not go fails the test.
std::wstring AnswerProcessBox(DWORD pid, POINT button, std::chrono::milliseconds wait);

std::wstring CaptionOf(HWND window);
SIZE ClientSizeOf(HWND window);

}  // namespace testing_support
