#pragma once

// The font a piece of text is drawn in: the paint manager's, by id.

#include <optional>
#include <string>

#include "ui/render/render_types.h"

namespace VantuUI {

// The font to use for an id: the manager's, or the default one.
const FontInfo& ResolveFont(IRenderHostUI* manager, int id);

// What a DrawPlainText call shows: the text with the manager's tokens
// expanded, single lines without line breaks; nullopt when there is nothing
// to draw or measure.
std::optional<std::wstring> PlainTextShown(HDC dc, IRenderHostUI* manager, const std::wstring& text,
                                           UINT style);

}  // namespace VantuUI
