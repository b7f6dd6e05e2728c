#pragma once

// State bits of buttons, options and scroll bars.

#include "platform/win32.h"

namespace VantuUI {

inline constexpr UINT UISTATE_FOCUSED = 0x00000001;
inline constexpr UINT UISTATE_SELECTED = 0x00000002;
inline constexpr UINT UISTATE_DISABLED = 0x00000004;
inline constexpr UINT UISTATE_HOT = 0x00000008;
inline constexpr UINT UISTATE_PUSHED = 0x00000010;
inline constexpr UINT UISTATE_CAPTURED = 0x00000040;

}  // namespace VantuUI
