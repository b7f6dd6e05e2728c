#pragma once

// An off-screen image with a DC to paint into: the manager's back buffer, the
// layered window's image and the printed native child windows. The pixels
// are an image record's (premultiplied, top-down, rows packed); the DC is the
// system's (a Cairo context on the surface, a memory DC holding the DIB section).

#include <cstdint>
#include <memory>

#include "ui/render/render_types.h"

namespace VantuUI {

class CPaintBufferUI {
  public:
    // Check Ok(): the system may give no bitmap of that size.
    CPaintBufferUI(int width, int height);
    ~CPaintBufferUI();
    CPaintBufferUI(const CPaintBufferUI&) = delete;
    CPaintBufferUI& operator=(const CPaintBufferUI&) = delete;

    bool Ok() const { return m_dc != nullptr; }
    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_image.bitmap; }
    int Width() const { return m_image.width; }
    int Height() const { return m_image.height; }

    // Direct access to the pixels: drawing through the DC is finished by
    // BeginPixels, and the DC learns of the change by EndPixels.
    void BeginPixels();
    void EndPixels();
    std::uint32_t* Row(int y) {
        return reinterpret_cast<std::uint32_t*>(m_image.pixels) +
               static_cast<std::ptrdiff_t>(y) * m_image.width;
    }

  private:
    struct Native;  // what holds the DC, per system
    ImageInfo m_image;
    std::unique_ptr<Native> m_native;
    HDC m_dc = nullptr;
};

// `rect` of what the DC paints on made transparent black.
void ClearArea(HDC dc, const RECT& rect);
// `source` copied onto `dc` with its top-left corner at `origin`, replacing
// what was there, but only inside `area`.
void CopyBuffer(HDC dc, const CPaintBufferUI& source, POINT origin, const RECT& area);

// The DC's clip and origin kept while this lives; `Offset` moves the origin.
class CSavedDcUI {
  public:
    explicit CSavedDcUI(HDC dc);
    ~CSavedDcUI();
    CSavedDcUI(const CSavedDcUI&) = delete;
    CSavedDcUI& operator=(const CSavedDcUI&) = delete;
    void Offset(int dx, int dy);

  private:
    HDC m_dc;
    int m_saved = 0;
};

}  // namespace VantuUI
