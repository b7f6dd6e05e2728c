#pragma once

// The stand-in's names for owned fonts and brushes, on gdi32's objects.

#include "platform/gdi/windows/gdi_objects.h"

namespace platform {

using FontHandle = FontObject;
using BrushHandle = BrushObject;

// A font the caller owns (null on failure).
inline HFONT CreateFontFromSpec(const FontSpec& spec) {
    return CreateFontObject(spec).release();
}

}  // namespace platform
