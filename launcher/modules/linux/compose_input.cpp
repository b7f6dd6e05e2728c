#include "launcher/modules/compose_input.h"

#include "platform/process/linux/own_environment.h"

namespace vantu {

void LeaveOutComposeTable() {
    // libX11 takes this file instead of the locale's; one the user names is kept.
    platform::SetOwnEnvironmentValue("XCOMPOSEFILE", "/dev/null");
}

}  // namespace vantu
