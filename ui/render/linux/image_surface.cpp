// Images as Cairo image surfaces.

#include "ui/render/image_surface.h"

#include <cairo.h>

namespace VantuUI {

bool AllocateImagePixels(ImageInfo& image, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    // Rows of ARGB32 are packed at every width; anything else is a failure.
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_stride(surface) != width * 4) {
        cairo_surface_destroy(surface);
        return false;
    }
    ReleaseImagePixels(image);
    image.bitmap = surface;
    cairo_surface_flush(surface);
    image.pixels = cairo_image_surface_get_data(surface);
    image.width = width;
    image.height = height;
    return true;
}

void ReleaseImagePixels(ImageInfo& image) {
    if (image.bitmap != nullptr) {
        cairo_surface_destroy(image.bitmap);
    }
    image.bitmap = nullptr;
    image.pixels = nullptr;
}

void BeginPixelAccess(const ImageInfo& image) {
    if (image.bitmap != nullptr) {
        cairo_surface_flush(image.bitmap);
    }
}

void EndPixelAccess(const ImageInfo& image) {
    if (image.bitmap != nullptr) {
        cairo_surface_mark_dirty(image.bitmap);
    }
}

}  // namespace VantuUI
