#pragma once

// Where the screenshot test's windows show, and what of the skins each system
// builds so far (linux/, windows/).

#ifdef _WIN32
#include "tests/ui/screenshot/windows/test_display.h"
#else
#include "tests/ui/screenshot/linux/test_display.h"
#endif
