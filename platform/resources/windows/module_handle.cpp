#include "platform/resources/module_handle.h"

namespace platform {

HINSTANCE CurrentModule() {
    // The program file's handle, whichever module asks.
    return GetModuleHandleW(nullptr);
}

}  // namespace platform
