// The date-time picker ("SysDateTimePick32"): shows a date, drops down a month
// calendar to choose another, and with DTS_SHOWNONE has a check box for "no
// date". Changes reach the parent as WM_NOTIFY.

#include <cairo.h>

#include <cstdio>
#include <memory>

#include "platform/gdi/brush.h"
#include "platform/gdi/font.h"
#include "platform/gdi/framed_box.h"
#include "platform/gdi/system_values.h"
#include "platform/window/controls/character_layout.h"
#include "platform/window/controls/control_classes.h"
#include "platform/window/controls/control_window.h"
#include "platform/window/controls/date/month_calendar.h"
#include "platform/window/controls/date/system_time.h"
#include "platform/window/window_system.h"

namespace platform::controls {

namespace {

constexpr wchar_t kPropertyName[] = L"platform.DatePicker";
constexpr int kButtonWidth = 18;
constexpr int kCheckSize = 13;

struct DatePicker {
    HWND hwnd = nullptr;
    SYSTEMTIME value{};
    bool hasDate = true;
    HFONT font = nullptr;  // as given with WM_SETFONT (the caller owns it); null: the default
    HWND calendar = nullptr;
};

DatePicker* PickerOf(HWND hwnd) {
    return RecordOf<DatePicker>(hwnd, kPropertyName);
}

bool ShowsNone(HWND hwnd) {
    return (GetWindowLong(hwnd, GWL_STYLE) & DTS_SHOWNONE) != 0;
}

RECT ButtonRect(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    return RECT{client.right - kButtonWidth, 0, client.right, client.bottom};
}

RECT CheckRect(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    int top = (client.bottom - kCheckSize) / 2;
    return RECT{3, top, 3 + kCheckSize, top + kCheckSize};
}

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void NotifyParent(const DatePicker& picker, UINT code) {
    HWND parent = GetParent(picker.hwnd);
    if (parent == nullptr) {
        return;
    }
    NMDATETIMECHANGE change;
    change.nmhdr.hwndFrom = picker.hwnd;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetWindowLongPtr(picker.hwnd, GWLP_ID));
    change.nmhdr.code = code;
    change.dwFlags = picker.hasDate ? GDT_VALID : GDT_NONE;
    change.st = picker.value;
    SendMessage(parent, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change.nmhdr));
}

// A new date (or "no date"): repaint and tell the parent when it differs.
void ChangeValue(DatePicker& picker, const SYSTEMTIME* date) {
    bool changed =
        picker.hasDate != (date != nullptr) || (date != nullptr && !SameDate(picker.value, *date));
    if (date != nullptr) {
        picker.value.wYear = date->wYear;
        picker.value.wMonth = date->wMonth;
        picker.value.wDay = date->wDay;
        picker.value.wDayOfWeek = MakeDate(date->wYear, date->wMonth, date->wDay).wDayOfWeek;
    }
    picker.hasDate = date != nullptr;
    InvalidateRect(picker.hwnd, nullptr, FALSE);
    if (changed) {
        NotifyParent(picker, DTN_DATETIMECHANGE);
    }
}

void DropDown(DatePicker& picker) {
    if (picker.calendar != nullptr) {
        return;
    }
    SYSTEMTIME start = picker.value;
    if (!picker.hasDate) {
        GetLocalTime(&start);
    }
    picker.calendar = OpenMonthCalendar(picker.hwnd, start, FontSpecOf(picker.font));
    if (picker.calendar == nullptr) {
        return;
    }
    NotifyParent(picker, DTN_DROPDOWN);
    if (picker.calendar != nullptr) {
        ShowWindow(picker.calendar, SW_SHOWNA);
        SetCapture(picker.calendar);
    }
}

void PaintPicker(const DatePicker& picker, HDC dc) {
    HWND hwnd = picker.hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    PaintFramedBox(dc, client, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE),
                   GetSysColor(COLOR_WINDOWFRAME));
    SetSourceColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    cairo_set_line_width(dc, 1);
    int textLeft = 4;
    if (ShowsNone(hwnd)) {
        RECT check = CheckRect(hwnd);
        cairo_rectangle(dc, check.left + 0.5, check.top + 0.5, kCheckSize - 1, kCheckSize - 1);
        cairo_stroke(dc);
        if (picker.hasDate) {
            cairo_move_to(dc, check.left + 3, check.top + 6.5);
            cairo_line_to(dc, check.left + 5.5, check.top + 9.5);
            cairo_line_to(dc, check.left + 10, check.top + 3);
            cairo_set_line_width(dc, 1.5);
            cairo_stroke(dc);
        }
        textLeft = check.right + 4;
    }
    RECT button = ButtonRect(hwnd);
    double cx = (button.left + button.right) / 2.0;
    double cy = (button.top + button.bottom) / 2.0;
    cairo_move_to(dc, cx - 4, cy - 2);
    cairo_line_to(dc, cx, cy + 2);
    cairo_line_to(dc, cx + 4, cy - 2);
    cairo_set_line_width(dc, 1.5);
    cairo_stroke(dc);
    wchar_t text[16];
    std::swprintf(text, 16, L"%04d-%02d-%02d", picker.value.wYear, picker.value.wMonth,
                  picker.value.wDay);
    SetSourceColor(dc, GetSysColor(picker.hasDate && enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextLine(dc, text, FontSpecOf(picker.font), RECT{textLeft, 0, button.left, client.bottom},
                 PANGO_ALIGN_LEFT);
}

LRESULT SetSystemTime(DatePicker& picker, WPARAM flag, LPARAM lParam) {
    const auto* time = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (static_cast<LRESULT>(flag) == GDT_NONE) {
        if (!ShowsNone(picker.hwnd)) {
            return FALSE;
        }
        picker.hasDate = false;
    } else if (static_cast<LRESULT>(flag) == GDT_VALID && time != nullptr && IsValidDate(*time)) {
        picker.value = *time;
        picker.value.wDayOfWeek = MakeDate(time->wYear, time->wMonth, time->wDay).wDayOfWeek;
        picker.hasDate = true;
        if (CalendarModel* model = MonthCalendarModel(picker.calendar)) {
            model->Select(picker.value);
            InvalidateRect(picker.calendar, nullptr, FALSE);
        }
    } else {
        return FALSE;
    }
    InvalidateRect(picker.hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT GetSystemTime(const DatePicker& picker, LPARAM lParam) {
    auto* time = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (time == nullptr) {
        return GDT_ERROR;
    }
    if (!picker.hasDate) {
        return GDT_NONE;
    }
    *time = picker.value;
    return GDT_VALID;
}

void KeyDown(DatePicker& picker, int virtualKey) {
    if (CalendarModel* model = MonthCalendarModel(picker.calendar)) {
        switch (model->HandleKey(virtualKey)) {
            case CalendarKeyResult::kMoved:
                InvalidateRect(picker.calendar, nullptr, FALSE);
                break;
            case CalendarKeyResult::kChosen: {
                SYSTEMTIME chosen = model->Selected();
                CloseUpDatePicker(picker.hwnd, &chosen);
                break;
            }
            case CalendarKeyResult::kCancelled:
                CloseUpDatePicker(picker.hwnd, nullptr);
                break;
            case CalendarKeyResult::kIgnored:
                if (virtualKey == VK_F4) {
                    CloseUpDatePicker(picker.hwnd, nullptr);
                }
                break;
        }
        return;
    }
    if (virtualKey == VK_F4) {
        DropDown(picker);
    } else if (virtualKey == VK_SPACE && ShowsNone(picker.hwnd)) {
        ChangeValue(picker, picker.hasDate ? nullptr : &picker.value);
    } else if ((virtualKey == VK_UP || virtualKey == VK_DOWN) && picker.hasDate) {
        SYSTEMTIME next = AddDays(picker.value, virtualKey == VK_UP ? 1 : -1);
        if (next.wYear >= 1601 && next.wYear <= 30827) {
            ChangeValue(picker, &next);
        }
    }
}

void Click(DatePicker& picker, POINT p) {
    if (GetFocus() != picker.hwnd) {
        SetFocus(picker.hwnd);
    }
    if (ShowsNone(picker.hwnd) && Inside(CheckRect(picker.hwnd), p)) {
        ChangeValue(picker, picker.hasDate ? nullptr : &picker.value);
    } else if (Inside(ButtonRect(picker.hwnd), p)) {
        DropDown(picker);
    }
}

LRESULT PickerMessage(DatePicker& picker, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = picker.hwnd;
    switch (message) {
        case DTM_GETSYSTEMTIME:
            return GetSystemTime(picker, lParam);
        case DTM_SETSYSTEMTIME:
            return SetSystemTime(picker, wParam, lParam);
        case DTM_GETMONTHCAL:
            return reinterpret_cast<LRESULT>(picker.calendar);
        case DTM_CLOSEMONTHCAL:
            CloseUpDatePicker(hwnd, nullptr);
            return 0;
        case WM_SETFONT:
            picker.font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) {
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(picker.font);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            KeyDown(picker, static_cast<int>(wParam));
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN || wParam == VK_UP) {
                if (picker.calendar == nullptr && wParam == VK_DOWN) {
                    DropDown(picker);
                } else {
                    CloseUpDatePicker(hwnd, nullptr);
                }
                return 0;
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Click(picker, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_KILLFOCUS:
            CloseUpDatePicker(hwnd, nullptr);
            return 0;
        case WM_SETFOCUS:
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_DESTROY:
            if (picker.calendar != nullptr) {
                HWND calendar = picker.calendar;
                picker.calendar = nullptr;
                DestroyWindow(calendar);
            }
            return 0;
        case WM_PAINT:
            return PaintWindow(hwnd, [&picker](HDC dc) { PaintPicker(picker, dc); });
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

std::unique_ptr<DatePicker> MakePicker(HWND hwnd, const CREATESTRUCT&) {
    auto picker = std::make_unique<DatePicker>();
    picker->hwnd = hwnd;
    GetLocalTime(&picker->value);
    return picker;
}

LRESULT PickerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RecordWindowProc<DatePicker>(kPropertyName, hwnd, message, wParam, lParam, MakePicker,
                                        PickerMessage);
}

}  // namespace

void CloseUpDatePicker(HWND hwnd, const SYSTEMTIME* chosen) {
    DatePicker* picker = PickerOf(hwnd);
    if (picker == nullptr || picker->calendar == nullptr) {
        return;
    }
    HWND calendar = picker->calendar;
    picker->calendar = nullptr;
    if (GetCapture() == calendar) {
        ReleaseCapture();
    }
    DestroyWindow(calendar);
    if (chosen != nullptr) {
        ChangeValue(*picker, chosen);
    }
    // The parent may destroy the picker on any notification.
    if (PickerOf(hwnd) != nullptr) {
        NotifyParent(*picker, DTN_CLOSEUP);
    }
}

void RegisterDatePickerClass() {
    RegisterMonthCalendarClass();
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PickerProc;
    wc.lpszClassName = DATETIMEPICK_CLASS;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
}

}  // namespace platform::controls
