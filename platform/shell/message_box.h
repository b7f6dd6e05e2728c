#pragma once

// Stands in for the system message box: a plain modal box with a caption, a
// text and an OK (and optionally Cancel) button. It disables its owner's
// top-level window while it runs its own message loop, and returns the
// button chosen. Return (or Space) chooses the default button; Escape and the
// close request choose Cancel, or OK when there is no Cancel. A WM_QUIT that
// arrives meanwhile ends the box and is posted again for the caller's loop.

#include "platform/win32.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONHAND = MB_ICONERROR;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_TOPMOST = 0x00040000;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// IDOK or IDCANCEL; 0 when the box could not be shown or was destroyed from
// outside.
int MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
