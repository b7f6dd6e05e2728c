#pragma once

// The rich edit's Windows vocabulary where Windows' own headers are missing:
// scroll requests and bars, the rich edit's messages and records, and the
// property bits of a text host.

#include "platform/win32_controls.h"

// Scroll requests (WM_VSCROLL/WM_HSCROLL: the code in the low word, a thumb
// position in the high word), the bars they name and the arrows to disable.
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINELEFT = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_LINERIGHT = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGELEFT = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_PAGERIGHT = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_LEFT = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_RIGHT = 7;
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_BOTH = 3;
inline constexpr int ESB_ENABLE_BOTH = 0;
inline constexpr int ESB_DISABLE_BOTH = 3;
inline constexpr DWORD ES_DISABLENOSCROLL = 0x2000;  // rich edit: ES_NUMBER's bit

// The rich edit's messages and records.
struct CHARRANGE {
    LONG cpMin = 0;
    LONG cpMax = 0;  // -1: the end of the text
};
inline constexpr UINT EM_EXGETSEL = WM_USER + 52;
inline constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
inline constexpr UINT EM_EXSETSEL = WM_USER + 55;
inline constexpr UINT EM_GETTEXTEX = WM_USER + 94;
inline constexpr UINT EM_GETTEXTLENGTHEX = WM_USER + 95;
inline constexpr UINT EM_SETLANGOPTIONS = WM_USER + 120;
inline constexpr UINT CP_UNICODE = 1200;
inline constexpr DWORD GT_DEFAULT = 0;
inline constexpr DWORD GTL_DEFAULT = 0;
struct GETTEXTEX {
    DWORD cb = 0;  // bytes of the buffer, terminator included
    DWORD flags = GT_DEFAULT;
    UINT codepage = CP_UNICODE;
};
struct GETTEXTLENGTHEX {
    DWORD flags = GTL_DEFAULT;
    UINT codepage = CP_UNICODE;
};
// Rich edit notifications (TxNotify codes) beside EN_CHANGE.
inline constexpr WORD EN_REQUESTRESIZE = 0x0701;

// Property bits a text host reports and changes.
inline constexpr DWORD TXTBIT_RICHTEXT = 0x1;
inline constexpr DWORD TXTBIT_MULTILINE = 0x2;
inline constexpr DWORD TXTBIT_READONLY = 0x4;
inline constexpr DWORD TXTBIT_SHOWACCELERATOR = 0x8;
inline constexpr DWORD TXTBIT_USEPASSWORD = 0x10;
inline constexpr DWORD TXTBIT_HIDESELECTION = 0x20;
inline constexpr DWORD TXTBIT_SAVESELECTION = 0x40;
inline constexpr DWORD TXTBIT_AUTOWORDSEL = 0x80;
inline constexpr DWORD TXTBIT_VERTICAL = 0x100;
inline constexpr DWORD TXTBIT_SELBARCHANGE = 0x200;
inline constexpr DWORD TXTBIT_WORDWRAP = 0x400;
inline constexpr DWORD TXTBIT_ALLOWBEEP = 0x800;
inline constexpr DWORD TXTBIT_DISABLEDRAG = 0x1000;
inline constexpr DWORD TXTBIT_VIEWINSETCHANGE = 0x2000;
inline constexpr DWORD TXTBIT_BACKSTYLECHANGE = 0x4000;
inline constexpr DWORD TXTBIT_MAXLENGTHCHANGE = 0x8000;
inline constexpr DWORD TXTBIT_SCROLLBARCHANGE = 0x10000;
inline constexpr DWORD TXTBIT_CHARFORMATCHANGE = 0x20000;
inline constexpr DWORD TXTBIT_PARAFORMATCHANGE = 0x40000;
inline constexpr DWORD TXTBIT_EXTENTCHANGE = 0x80000;
inline constexpr DWORD TXTBIT_CLIENTRECTCHANGE = 0x100000;

// What lies under the text: the host's own drawing, or the window colour.
enum TXTBACKSTYLE { TXTBACK_TRANSPARENT = 0, TXTBACK_OPAQUE = 1 };
