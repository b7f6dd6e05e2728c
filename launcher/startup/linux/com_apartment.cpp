#include "launcher/startup/com_apartment.h"

namespace vantu {

bool InitializeCom() {
    return true;
}

}  // namespace vantu
