// comctl32 registers its window classes only when asked.

#include "ui/core/manager/common_controls.h"

#include "platform/window/window_api.h"

namespace VantuUI {

void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

}  // namespace VantuUI
