#pragma once

// The debugger output. The text also goes to standard error as UTF-8, where
// tests and logs read it.

#ifdef _WIN32
// This folder's call, which also reaches the system's OutputDebugStringW.
#include <windows.h>
#undef OutputDebugString
#endif

void OutputDebugString(const wchar_t* text);
