#pragma once

// The native child controls' vocabulary: WM_NOTIFY, the tooltip, the date
// picker, the edit window and the rich edit, scroll requests, dialog codes
// and WM_CTLCOLOR answers.

#include "platform/win32_messages.h"
#include "platform/win32_types.h"

// WM_NOTIFY's header.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

// The tooltip class ("tooltips_class32").
struct TOOLINFO {
    UINT cbSize = sizeof(TOOLINFO);
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    const wchar_t* lpszText = nullptr;
    LPARAM lParam = 0;
};
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr WPARAM TTDT_AUTOMATIC = 0;
inline constexpr WPARAM TTDT_RESHOW = 1;
inline constexpr WPARAM TTDT_AUTOPOP = 2;
inline constexpr WPARAM TTDT_INITIAL = 3;
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_TRACKACTIVATE = WM_USER + 17;
inline constexpr UINT TTM_TRACKPOSITION = WM_USER + 18;
inline constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_ADDTOOL = WM_USER + 50;
inline constexpr UINT TTM_DELTOOL = WM_USER + 51;
inline constexpr UINT TTM_SETTOOLINFO = WM_USER + 54;
inline constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 57;

// Dates (GetLocalTime, the date-time picker). wDayOfWeek: 0 is Sunday.
struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
    friend bool operator==(const SYSTEMTIME&, const SYSTEMTIME&) = default;
};

// The picker's change record (WM_NOTIFY).
struct NMDATETIMECHANGE {
    NMHDR nmhdr{};
    DWORD dwFlags = 0;  // GDT_VALID or GDT_NONE
    SYSTEMTIME st{};
};

// The date-time picker ("SysDateTimePick32").
inline const wchar_t* const DATETIMEPICK_CLASS = L"SysDateTimePick32";
inline constexpr DWORD DTS_UPDOWN = 0x0001;
inline constexpr DWORD DTS_SHOWNONE = 0x0002;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
inline constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
inline constexpr LRESULT GDT_ERROR = -1;
inline constexpr LRESULT GDT_VALID = 0;
inline constexpr LRESULT GDT_NONE = 1;
inline constexpr UINT DTM_FIRST = 0x1000;
inline constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
inline constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
inline constexpr UINT DTM_GETMONTHCAL = DTM_FIRST + 8;
inline constexpr UINT DTM_CLOSEMONTHCAL = DTM_FIRST + 13;
inline constexpr UINT DTN_FIRST2 = 0U - 753U;
inline constexpr UINT DTN_CLOSEUP = DTN_FIRST2;
inline constexpr UINT DTN_DROPDOWN = DTN_FIRST2 - 1;
inline constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST2 - 6;

// The edit window ("Edit").
inline const wchar_t* const WC_EDIT = L"Edit";
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_GETMODIFY = 0x00B8;
inline constexpr UINT EM_SETMODIFY = 0x00B9;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_CANUNDO = 0x00C6;
inline constexpr UINT EM_UNDO = 0x00C7;
inline constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
inline constexpr UINT EM_SETMARGINS = 0x00D3;
inline constexpr UINT EM_GETMARGINS = 0x00D4;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr WPARAM EC_LEFTMARGIN = 0x0001;
inline constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
inline constexpr WPARAM EC_USEFONTINFO = 0xFFFF;
inline constexpr WORD EN_SETFOCUS = 0x0100;
inline constexpr WORD EN_KILLFOCUS = 0x0200;
inline constexpr WORD EN_CHANGE = 0x0300;
inline constexpr WORD EN_UPDATE = 0x0400;
inline constexpr WORD EN_MAXTEXT = 0x0501;
inline constexpr UINT WM_CUT = 0x0300;
inline constexpr UINT WM_COPY = 0x0301;
inline constexpr UINT WM_PASTE = 0x0302;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_UNDO = 0x0304;
// WM_GETDLGCODE answers.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;

// What WM_CTLCOLOR* is answered with: text and background modes of the DC.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

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
