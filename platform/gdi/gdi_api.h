#pragma once

// Fonts and brushes as the toolkit's native windows hold them: gdi32's on
// Windows, the stand-in's elsewhere.

#ifdef _WIN32
#include "platform/gdi/windows/gdi_handles.h"
#else
#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#endif
