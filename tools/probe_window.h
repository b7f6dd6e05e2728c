#pragma once

// What the probe programs' main windows share: their time-out timer or their
// closing ends the program.

#include "platform/window/window_system.h"

inline LRESULT ProbeDefaultProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
