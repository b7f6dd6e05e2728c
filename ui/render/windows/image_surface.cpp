// Images as 32-bit top-down DIB sections.

#include "ui/render/image_surface.h"

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

bool AllocateImagePixels(ImageInfo& image, int width, int height) {
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap = platform::CreateDibSection(width, height, &bits);
    if (!bitmap) {
        return false;
    }
    ReleaseImagePixels(image);
    image.bitmap = bitmap.release();
    image.pixels = reinterpret_cast<std::uint8_t*>(bits);
    image.width = width;
    image.height = height;
    return true;
}

void ReleaseImagePixels(ImageInfo& image) {
    // The record owns the bitmap; the owner type takes it back to delete it.
    platform::BitmapObject owned(image.bitmap);
    image.bitmap = nullptr;
    image.pixels = nullptr;
}

void BeginPixelAccess(const ImageInfo&) {
    GdiFlush();
}

void EndPixelAccess(const ImageInfo&) {}

}  // namespace VantuUI
