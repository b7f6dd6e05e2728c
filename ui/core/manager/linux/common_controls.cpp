// The stand-in registers its control classes itself.

#include "ui/core/manager/common_controls.h"

namespace VantuUI {

void EnsureCommonControls() {}

}  // namespace VantuUI
