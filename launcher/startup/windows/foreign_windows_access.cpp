#include "launcher/startup/foreign_windows_access.h"

#include "platform/x11/foreign_window.h"

namespace vantu {

std::optional<ForeignWindowsAccess> OpenForeignWindows() {
    return ForeignWindowsAccess{
        .find = platform::FindForeignWindow,
        .send =
            [](std::uintptr_t window, unsigned message, std::chrono::milliseconds timeout) {
                return platform::SendForeignMessage(window, message, 0, 0, timeout);
            },
    };
}

}  // namespace vantu
