#pragma once

// The date-time picker's drop-down: a popup month calendar without
// activation, below the picker. It holds the mouse capture while open, so a
// click outside it cancels. Private to date/.

#include "platform/gdi/font_spec.h"
#include "platform/win32.h"
#include "platform/window/controls/date/calendar_model.h"

namespace platform::controls {

// Client geometry of the calendar.
inline constexpr int kCalendarPadding = 4;
inline constexpr int kCalendarHeaderHeight = 28;
inline constexpr int kCalendarWeekdayHeight = 20;
inline constexpr int kCalendarCellWidth = 30;
inline constexpr int kCalendarCellHeight = 22;
SIZE MonthCalendarSize();
RECT MonthCalendarDayRect(int cell);
RECT MonthCalendarPreviousRect();
RECT MonthCalendarNextRect();

// Opens the calendar under `picker` (screen coordinates from its client
// rectangle) showing `selected`, its text in `font`.
HWND OpenMonthCalendar(HWND picker, const SYSTEMTIME& selected, const FontSpec& font);
// The calendar's model (null for another window).
CalendarModel* MonthCalendarModel(HWND calendar);
// Closes it: `chosen` is the date picked, or null when cancelled. Defined by
// the picker (the calendar calls it on a click).
void CloseUpDatePicker(HWND picker, const SYSTEMTIME* chosen);

void RegisterMonthCalendarClass();

}  // namespace platform::controls
