#include "ui/render/text/text_layout.h"

namespace VantuUI {

const FontInfo& ResolveFont(IRenderHostUI* manager, int id) {
    static const FontInfo kDefault{};
    const FontInfo* font = manager != nullptr ? manager->FontById(id) : nullptr;
    return font != nullptr ? *font : kDefault;
}

}  // namespace VantuUI
