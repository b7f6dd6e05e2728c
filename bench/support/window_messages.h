#pragma once

// The message pump the window benchmarks share: header-only, like the rest
// of bench/support.

#include "platform/window/window_api.h"
#include "ui/core/manager/window_manager.h"

namespace bench_support {

// Dispatches every message that is waiting, the way the program's loop does.
inline void RunPending() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!VantuUI::CWindowManagerUI::TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

}  // namespace bench_support
