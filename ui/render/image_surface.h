#pragma once

// The memory behind an image, kept in each system's own kind of bitmap (a
// Cairo image surface, a GDI DIB section): 32-bit premultiplied pixels,
// top-down, rows packed (width * 4 bytes).

#include "ui/render/render_types.h"

namespace VantuUI {

// Gives `image` a bitmap of that size, its pixels cleared; false when the
// system gives none (sizes past its limits, no memory).
bool AllocateImagePixels(ImageInfo& image, int width, int height);
// Lets the bitmap go; the record stays.
void ReleaseImagePixels(ImageInfo& image);
// Around reading or writing the pixels directly: drawing queued by the system
// is finished before, and the system learns of the change after.
void BeginPixelAccess(const ImageInfo& image);
void EndPixelAccess(const ImageInfo& image);

}  // namespace VantuUI
