// Hue, saturation and lightness adjustment of colours and images.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/render/image_surface.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

void RgbToHsl(double r, double g, double b, double& h, double& s, double& l) {
    double maxC = std::max({r, g, b});
    double minC = std::min({r, g, b});
    l = (maxC + minC) / 2;
    if (maxC == minC) {
        h = s = 0;
        return;
    }
    double d = maxC - minC;
    s = l > 0.5 ? d / (2 - maxC - minC) : d / (maxC + minC);
    if (maxC == r) {
        h = (g - b) / d + (g < b ? 6 : 0);
    } else if (maxC == g) {
        h = (b - r) / d + 2;
    } else {
        h = (r - g) / d + 4;
    }
    h *= 60;
}

double HueToRgb(double p, double q, double t) {
    if (t < 0) {
        t += 1;
    }
    if (t > 1) {
        t -= 1;
    }
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

void HslToRgb(double h, double s, double l, double& r, double& g, double& b) {
    if (s <= 0) {
        r = g = b = l;
        return;
    }
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    double t = h / 360.0;
    r = HueToRgb(p, q, t + 1.0 / 3);
    g = HueToRgb(p, q, t);
    b = HueToRgb(p, q, t - 1.0 / 3);
}

DWORD ToByte(double v) {
    return static_cast<DWORD>(std::clamp(std::lround(v * 255), 0L, 255L));
}

}  // namespace

DWORD RenderEngine::AdjustColor(DWORD color, int hue, int saturation, int lightness) {
    if (hue == 180 && saturation == 100 && lightness == 100) {
        return color;
    }
    double h = 0;
    double s = 0;
    double l = 0;
    RgbToHsl(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
             h, s, l);
    h += hue - 180;
    if (h <= 0) {
        h += 360;
    }
    if (h >= 360) {
        h -= 360;
    }
    s = std::min(1.0, s * saturation / 100.0);
    l = std::min(1.0, l * lightness / 100.0);
    double r = 0;
    double g = 0;
    double b = 0;
    HslToRgb(h, s, l, r, g, b);
    return (color & 0xFF000000) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

void RenderEngine::AdjustImage(bool useHsl, ImageInfo* image, int hue, int saturation,
                               int lightness) {
    if (image == nullptr || image->bitmap == nullptr || !image->useHsl) {
        return;
    }
    BeginPixelAccess(*image);
    size_t bytes = static_cast<size_t>(image->width) * 4 * static_cast<size_t>(image->height);
    if (image->unadjusted.empty()) {
        image->unadjusted.assign(image->pixels, image->pixels + bytes);
    }
    bool neutral = hue == 180 && saturation == 100 && lightness == 100;
    if (!useHsl || neutral) {
        std::memcpy(image->pixels, image->unadjusted.data(), bytes);
    } else {
        const auto* in = reinterpret_cast<const std::uint32_t*>(image->unadjusted.data());
        auto* out = reinterpret_cast<std::uint32_t*>(image->pixels);
        for (size_t i = 0; i < bytes / 4; ++i) {
            // Premultiplied colour never exceeds its alpha.
            std::uint32_t c = AdjustColor(in[i], hue, saturation, lightness);
            std::uint32_t a = c >> 24;
            std::uint32_t r = std::min((c >> 16) & 0xFF, a);
            std::uint32_t g = std::min((c >> 8) & 0xFF, a);
            std::uint32_t b = std::min(c & 0xFF, a);
            out[i] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    EndPixelAccess(*image);
}

}  // namespace VantuUI
