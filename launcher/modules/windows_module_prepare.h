#pragma once

// What the windows need of the system before their first frame, got ready
// ahead while the version query is in flight; what that is differs per system.

namespace vantu {

// The font configuration and the launcher's face, laid out once.
void PrepareSystemFonts();

// The connection to the display.
void PrepareSystemDisplay();

}  // namespace vantu
