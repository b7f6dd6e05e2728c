#pragma once

// What the foreign windows module (libvantu-foreign-windows.so, the X11
// client) offers the launcher: finding the booster's windows and sending
// them a message, without the program itself linking the X11 library.

#include <cstdint>

#include "launcher/modules/module_text.h"

extern "C" {

struct VantuForeignWindowsModuleApi {
    unsigned version;
    // platform::FindForeignWindow; 0 when there is none.
    unsigned long (*findWindow)(VantuModuleText className, VantuModuleText title);
    // platform::SendForeignMessage, without the answer; 1 when it was answered.
    int (*sendMessage)(unsigned long window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam, long timeoutMilliseconds);
};

// Null when the module does not speak `version`.
using VantuForeignWindowsModuleEntry = const VantuForeignWindowsModuleApi* (*)(unsigned version);
}

namespace vantu {

inline constexpr unsigned kForeignWindowsModuleApiVersion = 1;
inline constexpr char kForeignWindowsModuleEntryName[] = "VantuForeignWindowsModule";

}  // namespace vantu
