#pragma once

// How the launcher reaches other programs' windows: on Windows the system's
// calls; on Linux the X11 client module, loaded only when there is a display
// to look at, so that the program itself links no display library.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace vantu {

struct ForeignWindowsAccess {
    // The window with exactly this class and title; 0 when there is none.
    std::function<std::uintptr_t(std::wstring_view className, std::wstring_view title)> find;
    // Sends the message with zero parameters; true when it was answered in time.
    std::function<bool(std::uintptr_t window, unsigned message, std::chrono::milliseconds timeout)>
        send;
};

// Nothing when other programs' windows cannot be looked at here (no display,
// or the X11 client module is missing: a line on standard error says why).
std::optional<ForeignWindowsAccess> OpenForeignWindows();

}  // namespace vantu
