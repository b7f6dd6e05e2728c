#include "ui/control/basic/windows/effect_layer.h"

#include <algorithm>
#include <cmath>

namespace VantuUI {

namespace {

std::uint32_t Channel(DWORD color, int shift) {
    return (color >> shift) & 0xFF;
}

// `source` (premultiplied) over `target`.
std::uint32_t Over(std::uint32_t source, std::uint32_t target) {
    const std::uint32_t keep = 255 - (source >> 24);
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t value =
            Channel(source, shift) + (Channel(target, shift) * keep + 127) / 255;
        result |= std::min<std::uint32_t>(value, 255) << shift;
    }
    return result;
}

// A premultiplied colour scaled by a coverage.
std::uint32_t Scale(std::uint32_t color, std::uint32_t cover) {
    std::uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        result |= ((Channel(color, shift) * cover + 127) / 255) << shift;
    }
    return result;
}

// The window of `layer` that a w x h piece at `at` meets, in the piece's coordinates.
struct Overlap {
    int left;
    int top;
    int right;
    int bottom;
};

Overlap OverlapOf(const EffectImage& layer, POINT at, int w, int h) {
    return Overlap{std::max(0, -static_cast<int>(at.x)), std::max(0, -static_cast<int>(at.y)),
                   std::min(w, layer.width - static_cast<int>(at.x)),
                   std::min(h, layer.height - static_cast<int>(at.y))};
}

// Pixel (x, y) of an image, transparent outside it.
std::uint32_t PixelOr0(const EffectImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
        return 0;
    }
    return image.pixels[static_cast<std::size_t>(y) * image.width + x];
}

}  // namespace

CLinearBrushUI::CLinearBrushUI(double x0, double y0, double x1, double y1, DWORD from, DWORD to)
    : m_x0(x0),
      m_y0(y0),
      m_dx(x1 - x0),
      m_dy(y1 - y0),
      m_lengthSquared(m_dx * m_dx + m_dy * m_dy),
      m_from(from),
      m_to(to) {}

std::uint32_t CLinearBrushUI::At(int x, int y) const {
    double t = 0;
    if (m_lengthSquared > 0) {
        t = ((x + 0.5 - m_x0) * m_dx + (y + 0.5 - m_y0) * m_dy) / m_lengthSquared;
        t = std::clamp(t, 0.0, 1.0);
    }
    auto mix = [&](int shift) {
        const double value =
            Channel(m_from, shift) * (1 - t) + static_cast<double>(Channel(m_to, shift)) * t;
        return static_cast<std::uint32_t>(std::lround(value));
    };
    const std::uint32_t alpha = mix(24);
    std::uint32_t color = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        color |= ((mix(shift) * alpha + 127) / 255) << shift;
    }
    return color;
}

void PaintMask(EffectImage& layer, POINT at, const CoverageMask& mask, const CLinearBrushUI& brush,
               POINT brushOrigin) {
    const Overlap part = OverlapOf(layer, at, mask.width, mask.height);
    for (int y = part.top; y < part.bottom; ++y) {
        const int ly = y + at.y;
        for (int x = part.left; x < part.right; ++x) {
            const std::uint8_t cover = mask.values[static_cast<std::size_t>(y) * mask.width + x];
            if (cover == 0) {
                continue;
            }
            const int lx = x + at.x;
            std::uint32_t& target = layer.pixels[static_cast<std::size_t>(ly) * layer.width + lx];
            target = Over(Scale(brush.At(lx - brushOrigin.x, ly - brushOrigin.y), cover), target);
        }
    }
}

void PaintImage(EffectImage& layer, POINT at, const EffectImage& image) {
    const Overlap part = OverlapOf(layer, at, image.width, image.height);
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x) {
            const std::uint32_t source =
                image.pixels[static_cast<std::size_t>(y) * image.width + x];
            if (source == 0) {
                continue;
            }
            std::uint32_t& target =
                layer.pixels[static_cast<std::size_t>(y + at.y) * layer.width + x + at.x];
            target = Over(source, target);
        }
    }
}

EffectImage Glow(const EffectImage& glyphs, SIZE small, POINT offset) {
    const int w = glyphs.width;
    const int h = glyphs.height;
    const int sw = static_cast<int>(small.cx);
    const int sh = static_cast<int>(small.cy);
    // Shrinking: each small pixel the average of the pixels it stands for.
    EffectImage shrunk(sw, sh);
    for (int sy = 0; sy < sh; ++sy) {
        const int y0 = sy * h / sh;
        const int y1 = std::max(y0 + 1, (sy + 1) * h / sh);
        for (int sx = 0; sx < sw; ++sx) {
            const int x0 = sx * w / sw;
            const int x1 = std::max(x0 + 1, (sx + 1) * w / sw);
            std::uint32_t sums[4] = {};
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const std::uint32_t p = glyphs.pixels[static_cast<std::size_t>(y) * w + x];
                    for (int c = 0; c < 4; ++c) {
                        sums[c] += Channel(p, c * 8);
                    }
                }
            }
            const std::uint32_t count = static_cast<std::uint32_t>((y1 - y0) * (x1 - x0));
            std::uint32_t average = 0;
            for (int c = 0; c < 4; ++c) {
                average |= ((sums[c] + count / 2) / count) << (c * 8);
            }
            shrunk.pixels[static_cast<std::size_t>(sy) * sw + sx] = average;
        }
    }
    // Blowing up: bilinear between the small pixels' centres, fading out
    // past the outer ones.
    EffectImage glow(w, h);
    const double scaleX = static_cast<double>(sw) / w;
    const double scaleY = static_cast<double>(sh) / h;
    for (int y = 0; y < h; ++y) {
        const double fy = (y - static_cast<int>(offset.y) + 0.5) * scaleY - 0.5;
        const int iy = static_cast<int>(std::floor(fy));
        const double ty = fy - iy;
        for (int x = 0; x < w; ++x) {
            const double fx = (x - static_cast<int>(offset.x) + 0.5) * scaleX - 0.5;
            const int ix = static_cast<int>(std::floor(fx));
            const double tx = fx - ix;
            const std::uint32_t corners[4] = {
                PixelOr0(shrunk, ix, iy), PixelOr0(shrunk, ix + 1, iy),
                PixelOr0(shrunk, ix, iy + 1), PixelOr0(shrunk, ix + 1, iy + 1)};
            std::uint32_t mixed = 0;
            for (int c = 0; c < 4; ++c) {
                const double top = Channel(corners[0], c * 8) * (1 - tx) +
                                   static_cast<double>(Channel(corners[1], c * 8)) * tx;
                const double bottom = Channel(corners[2], c * 8) * (1 - tx) +
                                      static_cast<double>(Channel(corners[3], c * 8)) * tx;
                const double value = top * (1 - ty) + bottom * ty;
                mixed |= static_cast<std::uint32_t>(std::lround(value)) << (c * 8);
            }
            glow.pixels[static_cast<std::size_t>(y) * w + x] = mixed;
        }
    }
    return glow;
}

}  // namespace VantuUI
