#include "platform/window/can_show_windows.h"

#include "platform/win32.h"

namespace platform {

bool CanShowWindows() {
    HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    if (station == nullptr ||
        !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), nullptr)) {
        // Nothing says otherwise: a desktop program has its desktop.
        return true;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace platform
