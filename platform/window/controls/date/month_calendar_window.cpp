// The drop-down month calendar of the date-time picker.

#include <cairo.h>

#include <cstdio>
#include <memory>

#include "platform/gdi/brush.h"
#include "platform/gdi/framed_box.h"
#include "platform/gdi/system_values.h"
#include "platform/window/controls/character_layout.h"
#include "platform/window/controls/control_window.h"
#include "platform/window/controls/date/month_calendar.h"
#include "platform/window/controls/date/system_time.h"
#include "platform/window/window_system.h"

namespace platform::controls {

namespace {

constexpr wchar_t kClassName[] = L"platform.MonthCalendar";
constexpr wchar_t kPropertyName[] = L"platform.MonthCalendar";
constexpr COLORREF kTodayColor = RGB(204, 0, 0);
constexpr const wchar_t* kWeekdays[] = {L"日", L"一", L"二", L"三", L"四", L"五", L"六"};

struct MonthCalendar {
    HWND hwnd = nullptr;
    HWND picker = nullptr;
    CalendarModel model;
    FontSpec font;
};

struct CreateParams {
    HWND picker;
    SYSTEMTIME selected;
    SYSTEMTIME today;
    FontSpec font;
};

MonthCalendar* CalendarOf(HWND hwnd) {
    return RecordOf<MonthCalendar>(hwnd, kPropertyName);
}

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

int GridTop() {
    return kCalendarPadding + kCalendarHeaderHeight + kCalendarWeekdayHeight;
}

void StrokeArrow(HDC dc, const RECT& r, bool left) {
    double cx = (r.left + r.right) / 2.0;
    double cy = (r.top + r.bottom) / 2.0;
    double d = left ? 3 : -3;
    cairo_move_to(dc, cx + d, cy - 5);
    cairo_line_to(dc, cx - d, cy);
    cairo_line_to(dc, cx + d, cy + 5);
    cairo_set_line_width(dc, 1.5);
    cairo_stroke(dc);
}

void PaintCalendar(const MonthCalendar& calendar, HDC dc) {
    SIZE size = MonthCalendarSize();
    PaintFramedBox(dc, RECT{0, 0, size.cx, size.cy}, GetSysColor(COLOR_WINDOW),
                   GetSysColor(COLOR_WINDOWFRAME));
    const CalendarModel& model = calendar.model;
    const FontSpec& font = calendar.font;
    SetSourceColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    StrokeArrow(dc, MonthCalendarPreviousRect(), true);
    StrokeArrow(dc, MonthCalendarNextRect(), false);
    wchar_t title[32];
    std::swprintf(title, 32, L"%d年%d月", model.ShownYear(), model.ShownMonth());
    RECT header{kCalendarPadding, kCalendarPadding, size.cx - kCalendarPadding,
                kCalendarPadding + kCalendarHeaderHeight};
    DrawTextLine(dc, title, font, header, PANGO_ALIGN_CENTER);
    for (int day = 0; day < 7; ++day) {
        RECT cell = MonthCalendarDayRect(day);
        RECT r{cell.left, GridTop() - kCalendarWeekdayHeight, cell.right, GridTop()};
        DrawTextLine(dc, kWeekdays[day], font, r, PANGO_ALIGN_CENTER);
    }
    auto grid = model.Grid();
    for (int i = 0; i < kCalendarCells; ++i) {
        RECT r = MonthCalendarDayRect(i);
        const SYSTEMTIME& date = grid[i];
        bool selected = SameDate(date, model.Selected());
        if (selected) {
            SetSourceColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            cairo_rectangle(dc, r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2);
            cairo_fill(dc);
        } else if (SameDate(date, model.Today())) {
            SetSourceColor(dc, kTodayColor);
            cairo_rectangle(dc, r.left + 1.5, r.top + 1.5, r.right - r.left - 3,
                            r.bottom - r.top - 3);
            cairo_stroke(dc);
        }
        SetSourceColor(dc, GetSysColor(selected                   ? COLOR_HIGHLIGHTTEXT
                                       : model.InShownMonth(date) ? COLOR_WINDOWTEXT
                                                                  : COLOR_GRAYTEXT));
        DrawTextLine(dc, std::to_wstring(date.wDay), font, r, PANGO_ALIGN_CENTER);
    }
}

// A click: the arrows page, a day chooses, outside cancels. The calendar is
// gone after choosing or cancelling.
void Click(HWND hwnd, MonthCalendar& calendar, POINT p) {
    SIZE size = MonthCalendarSize();
    if (!Inside(RECT{0, 0, size.cx, size.cy}, p)) {
        CloseUpDatePicker(calendar.picker, nullptr);
        return;
    }
    if (Inside(MonthCalendarPreviousRect(), p) || Inside(MonthCalendarNextRect(), p)) {
        calendar.model.ShowMonth(Inside(MonthCalendarPreviousRect(), p) ? -1 : 1);
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    for (int i = 0; i < kCalendarCells; ++i) {
        if (Inside(MonthCalendarDayRect(i), p)) {
            SYSTEMTIME chosen = calendar.model.Grid()[i];
            CloseUpDatePicker(calendar.picker, &chosen);
            return;
        }
    }
}

std::unique_ptr<MonthCalendar> MakeCalendar(HWND hwnd, const CREATESTRUCT& create) {
    const auto* params = static_cast<const CreateParams*>(create.lpCreateParams);
    return std::make_unique<MonthCalendar>(MonthCalendar{
        hwnd, params->picker, CalendarModel(params->selected, params->today), params->font});
}

LRESULT CalendarMessage(MonthCalendar& calendar, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = calendar.hwnd;
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Click(hwnd, calendar, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_PAINT:
            return PaintWindow(hwnd, [&calendar](HDC dc) { PaintCalendar(calendar, dc); });
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CalendarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RecordWindowProc<MonthCalendar>(kPropertyName, hwnd, message, wParam, lParam,
                                           MakeCalendar, CalendarMessage);
}

}  // namespace

SIZE MonthCalendarSize() {
    return SIZE{2 * kCalendarPadding + 7 * kCalendarCellWidth,
                GridTop() + kCalendarWeeks * kCalendarCellHeight + kCalendarPadding};
}

RECT MonthCalendarDayRect(int cell) {
    int left = kCalendarPadding + (cell % 7) * kCalendarCellWidth;
    int top = GridTop() + (cell / 7) * kCalendarCellHeight;
    return RECT{left, top, left + kCalendarCellWidth, top + kCalendarCellHeight};
}

RECT MonthCalendarPreviousRect() {
    return RECT{kCalendarPadding, kCalendarPadding, kCalendarPadding + kCalendarHeaderHeight,
                kCalendarPadding + kCalendarHeaderHeight};
}

RECT MonthCalendarNextRect() {
    int right = MonthCalendarSize().cx - kCalendarPadding;
    return RECT{right - kCalendarHeaderHeight, kCalendarPadding, right,
                kCalendarPadding + kCalendarHeaderHeight};
}

HWND OpenMonthCalendar(HWND picker, const SYSTEMTIME& selected, const FontSpec& font) {
    CreateParams params{picker, selected, {}, font};
    GetLocalTime(&params.today);
    RECT client;
    GetClientRect(picker, &client);
    POINT below{0, client.bottom};
    ClientToScreen(picker, &below);
    SIZE size = MonthCalendarSize();
    HWND top = GetAncestor(picker, GA_ROOT);
    HWND calendar = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName,
                                   L"", WS_POPUP, below.x, below.y, size.cx, size.cy, top, nullptr,
                                   nullptr, &params);
    return calendar;
}

CalendarModel* MonthCalendarModel(HWND calendar) {
    MonthCalendar* state = CalendarOf(calendar);
    return state != nullptr ? &state->model : nullptr;
}

void RegisterMonthCalendarClass() {
    WNDCLASS wc;
    wc.lpfnWndProc = CalendarProc;
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
}

}  // namespace platform::controls
