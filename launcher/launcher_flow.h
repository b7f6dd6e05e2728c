#pragma once

namespace vantu {

// The launcher's whole run on the main thread: the checks at start, the
// version decision, and what follows from it. Returns the exit code.
int RunLauncher();

}  // namespace vantu
