#pragma once

// The native style both launcher windows are created with: a visible popup
// with caption and system menu bits (the skinned window drops the caption
// when it is created) and a window edge.

#include "platform/win32.h"

namespace vantu {

inline constexpr DWORD kLauncherWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kLauncherWindowExStyle = WS_EX_WINDOWEDGE;
static_assert(kLauncherWindowStyle == 0x96C80000);

}  // namespace vantu
