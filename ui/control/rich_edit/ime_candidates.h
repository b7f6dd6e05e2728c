#pragma once

// Where the input method shows its candidate list for the rich edit.

#include "platform/win32.h"

namespace VantuUI {

// Beside `rect` (the caret's, in the window's client pixels), never over it.
void PlaceImeCandidates(HWND window, const RECT& rect);

}  // namespace VantuUI
