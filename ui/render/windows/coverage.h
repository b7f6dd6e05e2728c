#pragma once

// GDI's own pens, brushes, gradients and text leave the alpha byte of a
// 32-bit DIB section at 0, which a back buffer with per-pixel alpha cannot
// take. So they draw into a scratch bitmap, and the result is blended in
// with AlphaBlend: as coverage (white on black) in one colour, or as opaque
// colours at one alpha.

#include <functional>

#include "platform/win32.h"

namespace VantuUI {

// `paint` draws in white on black on a DC with the same coordinates as `dc`,
// cut to `bounds`; the coverage becomes `color` (0xAARRGGBB) over `dc`.
void BlendCoverage(HDC dc, const RECT& bounds, DWORD color, const std::function<void(HDC)>& paint);

// `paint` draws opaque colours on a DC with the same coordinates as `dc`, cut
// to `bounds`; the result is blended over `dc` at `alpha`.
void BlendOpaque(HDC dc, const RECT& bounds, BYTE alpha, const std::function<void(HDC)>& paint);

}  // namespace VantuUI
