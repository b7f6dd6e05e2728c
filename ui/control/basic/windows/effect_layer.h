#pragma once

// The pixel work behind the label's text effects on GDI, which has no
// gradient text, no blur and no translucent text of its own: the text's
// coverage is taken once and painted in brushes, blurred and shifted here, on
// premultiplied 0xAARRGGBB pixels (the DIB section's layout).

#include <cstdint>
#include <vector>

#include "platform/win32.h"

namespace VantuUI {

// A linear gradient from (x0, y0) to (x1, y1), its end colours continuing
// beyond the ends; colours are interpolated unpremultiplied, as the effects'
// brushes mix them.
class CLinearBrushUI {
  public:
    CLinearBrushUI(double x0, double y0, double x1, double y1, DWORD from, DWORD to);
    // The premultiplied colour at the centre of pixel (x, y).
    std::uint32_t At(int x, int y) const;

  private:
    double m_x0;
    double m_y0;
    double m_dx;
    double m_dy;
    double m_lengthSquared;
    DWORD m_from;
    DWORD m_to;
};

// How much of each pixel the text covers (0..255), rows packed.
struct CoverageMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> values;
};

// Premultiplied pixels, rows packed, transparent at first.
struct EffectImage {
    EffectImage() = default;
    EffectImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// `mask` laid over `layer` with its top-left at `at`, in `brush`, whose
// origin lies at `brushOrigin` of the layer.
void PaintMask(EffectImage& layer, POINT at, const CoverageMask& mask, const CLinearBrushUI& brush,
               POINT brushOrigin);

// `image` laid over `layer` with its top-left at `at`.
void PaintImage(EffectImage& layer, POINT at, const EffectImage& image);

// The glow: `glyphs` shrunk to `small` by averaging and blown up again to
// their own size, moved by `offset` (what leaves the image is cut).
EffectImage Glow(const EffectImage& glyphs, SIZE small, POINT offset);

}  // namespace VantuUI
