#pragma once

// Stands in for the debugger output: the text goes to standard error as UTF-8.

void OutputDebugString(const wchar_t* text);
