// The entry point of the foreign windows module: the X11 client that finds
// the booster's windows and sends them messages, loaded only when the
// launcher has a display to look at.

#include <chrono>

#include "launcher/modules/foreign_windows_module_api.h"
#include "platform/x11/linux/x11_window_message.h"

namespace vantu {

namespace {

unsigned long FindWindowEntry(VantuModuleText className, VantuModuleText title) {
    return platform::FindForeignWindow(FromModuleText(className), FromModuleText(title));
}

int SendMessageEntry(unsigned long window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam, long timeoutMilliseconds) {
    return platform::SendForeignMessage(window, message, wParam, lParam,
                                        std::chrono::milliseconds(timeoutMilliseconds))
               ? 1
               : 0;
}

}  // namespace

}  // namespace vantu

extern "C" __attribute__((visibility("default"))) const VantuForeignWindowsModuleApi*
VantuForeignWindowsModule(unsigned version) {
    if (version != vantu::kForeignWindowsModuleApiVersion) {
        return nullptr;
    }
    static constexpr VantuForeignWindowsModuleApi api{
        .version = vantu::kForeignWindowsModuleApiVersion,
        .findWindow = vantu::FindWindowEntry,
        .sendMessage = vantu::SendMessageEntry,
    };
    return &api;
}
