#include "launcher/modules/compose_input.h"

namespace vantu {

void LeaveOutComposeTable() {}

}  // namespace vantu
