#include "platform/resources/module_handle.h"

namespace platform {

HINSTANCE CurrentModule() {
    // Any stable non-null value will do.
    static char program;
    return reinterpret_cast<HINSTANCE>(&program);
}

}  // namespace platform
