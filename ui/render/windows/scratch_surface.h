#pragma once

// A 32-bit scratch surface to draw into before blending, lent for one
// drawing call. One per thread is kept and grown as needed: a DIB section
// and a DC made per text run or fill cost more than the drawing itself
// (under wine each DIB section is a mapping of its own). A surface beyond
// the kept size, or asked for while the kept one is lent, is made for the
// call alone.

#include <cstdint>
#include <memory>

#include "platform/win32.h"

namespace VantuUI {

class ScratchSurface {
  public:
    // At least width x height pixels, the top-left width x height of them
    // cleared to 0, on a DC whose state goes back when the loan ends;
    // Ready() is false when none can be had.
    ScratchSurface(int width, int height);
    ~ScratchSurface();
    ScratchSurface(const ScratchSurface&) = delete;
    ScratchSurface& operator=(const ScratchSurface&) = delete;

    bool Ready() const;
    HDC Dc() const;
    // Pixel (x, y) is Bits()[y * Stride() + x].
    std::uint32_t* Bits() const;
    int Stride() const;

    struct Surface;

  private:
    Surface* m_surface = nullptr;  // the kept one, or m_own
    std::unique_ptr<Surface> m_own;
};

}  // namespace VantuUI
