#pragma once

// Messages the upgrade worker posts to the upgrade window.

#include "platform/win32.h"

// The package download did not produce the package file.
inline constexpr UINT WM_UPGRADE_DOWNLOAD_FAILED = 0xFFE0;
// An installed file could not be moved aside, or unpacking failed.
inline constexpr UINT WM_UPGRADE_EXTRACT_FAILED = 0xFFE1;
// Unpacked, and the package file deleted.
inline constexpr UINT WM_UPGRADE_DONE = 0xFFE2;
// wParam: bytes received so far; lParam: expected total (0 when unknown).
inline constexpr UINT WM_UPGRADE_PROGRESS = 0xFFF0;
