#pragma once

// The system's common controls (tooltip, date picker) registered for this
// process before a managed window may make one.

namespace VantuUI {

void EnsureCommonControls();

}  // namespace VantuUI
