#pragma once

// Stands in for the shell's "open" of a web address: the desktop's opener
// (xdg-open) gets the address, with the caller's standard streams and nothing
// else, and is not waited for. Other verbs and other kinds of file are not
// supported.

#include "platform/win32.h"

inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_NOASSOC = 31;

// A value above 32 when the opener was started; SE_ERR_FNF when there is no
// opener, SE_ERR_NOASSOC for what is not an http(s) address or a verb other than "open".
HINSTANCE ShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* parameters, const wchar_t* directory, int show);
