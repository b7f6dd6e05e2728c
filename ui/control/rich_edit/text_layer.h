#pragma once

// Draws the text services' text into the paint manager's back buffer.

#include "platform/text_services/text_services.h"

namespace VantuUI {

// The part of the text inside `area` on `dc`.
void DrawTextLayer(HDC dc, const RECT& area, platform::CTextServices& services);

}  // namespace VantuUI
