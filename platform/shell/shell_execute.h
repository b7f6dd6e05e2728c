#pragma once

// The shell's "open" of a web address, and nothing else: on Windows the
// system's ShellExecuteW, elsewhere the desktop's opener (xdg-open), which
// gets the address with the caller's standard streams and nothing else and is
// not waited for. Other verbs and other kinds of file are refused on both, so
// that an address from the network can never start a program.

#include "platform/win32.h"

#ifdef _WIN32
#include <shellapi.h>
// This folder's call, which checks the address before the system's.
#undef ShellExecute
#else
inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_NOASSOC = 31;
#endif

// A value above 32 when the opener was started; SE_ERR_FNF when there is no
// opener, SE_ERR_NOASSOC for what is not an http(s) address or a verb other than "open".
HINSTANCE ShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* parameters, const wchar_t* directory, int show);
