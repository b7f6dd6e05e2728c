#include "ui/render/windows/scratch_surface.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/gdi/windows/gdi_objects.h"

namespace VantuUI {

namespace {

// Kept between calls up to this size (4 MiB): a window's text runs and
// fills; a bigger one is made and freed per call.
constexpr long long kKeptPixels = 1LL << 20;

}  // namespace

struct ScratchSurface::Surface {
    int width = 0;
    int height = 0;
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap;
    platform::MemoryDc dc;
    std::optional<platform::Selection> selected;  // goes before the DC and the bitmap
    bool lent = false;
    int saved = 0;  // the DC's state when lent

    bool Make(int w, int h) {
        selected.reset();
        bitmap = platform::CreateDibSection(w, h, &bits);
        if (!dc) {
            dc = platform::CreateMemoryDc();
        }
        if (!bitmap || !dc) {
            width = height = 0;
            return false;
        }
        selected.emplace(dc.get(), bitmap.get());
        width = w;
        height = h;
        return selected->Ok();
    }
};

ScratchSurface::ScratchSurface(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    thread_local Surface kept;
    const bool fits = static_cast<long long>(width) * height <= kKeptPixels;
    if (fits && !kept.lent) {
        if (kept.width < width || kept.height < height) {
            // Grown to the larger of each side, so that a wide run and a tall
            // one do not take turns.
            if (!kept.Make(std::max(kept.width, width), std::max(kept.height, height))) {
                return;
            }
        }
        kept.lent = true;
        kept.saved = SaveDC(kept.dc.get());
        m_surface = &kept;
        GdiFlush();
        for (int y = 0; y < height; ++y) {
            std::memset(kept.bits + static_cast<std::size_t>(y) * kept.width, 0,
                        static_cast<std::size_t>(width) * 4);
        }
        return;
    }
    m_own = std::make_unique<Surface>();
    if (m_own->Make(width, height)) {
        m_surface = m_own.get();
    }
}

ScratchSurface::~ScratchSurface() {
    if (m_surface != nullptr && m_surface != m_own.get()) {
        // Whatever the borrower set (clip, origin, colours, objects) goes.
        if (m_surface->saved != 0) {
            RestoreDC(m_surface->dc.get(), m_surface->saved);
        }
        m_surface->lent = false;
    }
}

bool ScratchSurface::Ready() const {
    return m_surface != nullptr;
}

HDC ScratchSurface::Dc() const {
    return m_surface->dc.get();
}

std::uint32_t* ScratchSurface::Bits() const {
    return m_surface->bits;
}

int ScratchSurface::Stride() const {
    return m_surface->width;
}

}  // namespace VantuUI
