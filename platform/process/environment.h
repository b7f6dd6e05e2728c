#pragma once

// The process's environment, as the display and the booster lookup read it.

namespace platform {

// Whether the variable is set to something: an empty value counts as unset,
// the way DISPLAY= means no display.
bool HasEnvironmentValue(const char* name);

}  // namespace platform
