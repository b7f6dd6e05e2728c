#pragma once

// The system font to draw a description with: the one the render host keeps
// (the paint manager's, made once per window), else one made for this call.

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/render/render_types.h"

namespace VantuUI {

class HostFont {
  public:
    HostFont(IRenderHostUI* host, const FontInfo& font)
        : m_handle(host != nullptr ? host->CachedFont(font) : nullptr) {
        if (m_handle == nullptr) {
            m_own = platform::CreateFontObject(font);
            m_handle = m_own.get();
        }
    }
    HFONT Get() const { return m_handle; }

  private:
    HFONT m_handle;
    platform::FontObject m_own;
};

}  // namespace VantuUI
