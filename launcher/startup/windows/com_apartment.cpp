#include "launcher/startup/com_apartment.h"

#include <objbase.h>

namespace vantu {

bool InitializeCom() {
    // S_FALSE (already initialised on this thread) is a success too.
    return SUCCEEDED(CoInitialize(nullptr));
}

}  // namespace vantu
