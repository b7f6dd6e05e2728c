#include "ui/render/text/text_layout.h"

#include <algorithm>

namespace VantuUI {

const FontInfo& ResolveFont(IRenderHostUI* manager, int id) {
    static const FontInfo kDefault{};
    const FontInfo* font = manager != nullptr ? manager->FontById(id) : nullptr;
    return font != nullptr ? *font : kDefault;
}

std::optional<std::wstring> PlainTextShown(HDC dc, IRenderHostUI* manager, const std::wstring& text,
                                           UINT style) {
    if (manager == nullptr || text.empty() || (dc == nullptr && (style & DT_CALCRECT) == 0)) {
        return std::nullopt;
    }
    std::wstring shown = manager->ExpandStringTokens(text);
    if ((style & DT_SINGLELINE) != 0) {
        std::erase_if(shown, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    }
    return shown;
}

}  // namespace VantuUI
