// The tooltip class: a popup that shows one tool's text near the pointer.

#include "platform/window_internal.h"
#include "platform/window_system.h"

namespace platform {

void RegisterBuiltInClasses() {}

}  // namespace platform
