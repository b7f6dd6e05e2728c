#pragma once

// Owners of gdi32's handles: one owner type per kind of GDI object (fonts,
// bitmaps, regions, pens, brushes), memory DCs, and an object selected into
// a DC for as long as a scope lasts.

#include <cstdint>
#include <memory>
#include <type_traits>

#include "platform/gdi/font_spec.h"

namespace platform {

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using FontObject = GdiObject<HFONT>;
using BitmapObject = GdiObject<HBITMAP>;
using RegionObject = GdiObject<HRGN>;
using PenObject = GdiObject<HPEN>;
using BrushObject = GdiObject<HBRUSH>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A memory DC like the screen's (null on failure).
MemoryDc CreateMemoryDc();

// A memory DC kept per thread to measure text in: a caller selects its font
// for as long as it measures (Selection) and leaves nothing else changed.
HDC MeasuringDc();

// `object` selected into `dc` while this lives; the one before goes back.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object)
        : m_dc(dc),
          m_previous(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (m_previous != nullptr && m_previous != HGDI_ERROR) {
            SelectObject(m_dc, m_previous);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    bool Ok() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The font of a spec: its em size in pixels (a negative LOGFONT height),
// greyscale antialiasing (so that text can be drawn as coverage), the
// default character set so the system links in faces for other scripts. A
// spec without a face takes the default GUI font's.
FontObject CreateFontObject(const FontSpec& spec);

// A 32-bit top-down DIB section, its pixels cleared; `bits` receives its
// memory (width * 4 bytes a row). Null for empty or absurd sizes.
BitmapObject CreateDibSection(int width, int height, std::uint32_t** bits);

}  // namespace platform
