#pragma once

// The rich edit's Windows vocabulary, apart from win32.h since only the text
// services and their host use it: scroll requests and bars, the rich edit's
// messages and records, and the property bits of a text host. On Windows they
// are the system's own; elsewhere the stand-in's.

#ifdef _WIN32
#include "platform/win32.h"
// The text services' interfaces name OLE's types.
#include <ole2.h>
#include <richedit.h>
#include <textserv.h>
// The code page of UTF-16 text in GETTEXTEX and GETTEXTLENGTHEX.
inline constexpr UINT CP_UNICODE = 1200;
#else
#include "platform/win32_rich_edit_types.h"
#endif
