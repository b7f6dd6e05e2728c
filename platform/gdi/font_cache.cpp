#include "platform/gdi/font_cache.h"

#include <algorithm>

namespace platform {

HFONT FontCache::Get(const FontSpec& spec) {
    auto found = std::find_if(m_fonts.begin(), m_fonts.end(),
                              [&](const auto& entry) { return entry.first == spec; });
    if (found != m_fonts.end()) {
        return found->second.get();
    }
    FontHandle font(CreateFontFromSpec(spec));
    if (!font) {
        return nullptr;
    }
    HFONT handle = font.get();
    m_fonts.emplace_back(spec, std::move(font));
    return handle;
}

}  // namespace platform
