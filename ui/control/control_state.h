#pragma once

// State bits of the controls that paint per-state images (buttons, options,
// scroll bar parts).

#include "platform/win32.h"

namespace VantuUI {

inline constexpr UINT UISTATE_FOCUSED = 0x01;
inline constexpr UINT UISTATE_SELECTED = 0x02;
inline constexpr UINT UISTATE_DISABLED = 0x04;
inline constexpr UINT UISTATE_HOT = 0x08;
inline constexpr UINT UISTATE_PUSHED = 0x10;
inline constexpr UINT UISTATE_CAPTURED = 0x40;

}  // namespace VantuUI
