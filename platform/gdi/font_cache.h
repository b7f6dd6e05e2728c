#pragma once

// Fonts made once per description and kept for as long as their owner (a
// window's paint manager): making a font asks the system to match faces,
// which costs more than drawing a line of text with it.

#include <utility>
#include <vector>

#include "platform/gdi/gdi_api.h"

namespace platform {

class FontCache {
  public:
    // The font of `spec`, made on first request; null when the system
    // cannot make it (asked again next time).
    HFONT Get(const FontSpec& spec);
    std::size_t Size() const { return m_fonts.size(); }

  private:
    // A window uses a handful of fonts: a list beats a tree.
    std::vector<std::pair<FontSpec, FontHandle>> m_fonts;
};

}  // namespace platform
