#pragma once

// The month calendar behind the date-time picker's drop-down: the month shown,
// the date selected, the six-week grid (weeks start on Sunday) and the keys.

#include <array>

#include "platform/win32.h"

namespace platform::controls {

inline constexpr int kCalendarWeeks = 6;
inline constexpr int kCalendarCells = kCalendarWeeks * 7;

enum class CalendarKeyResult { kIgnored, kMoved, kChosen, kCancelled };

class CalendarModel {
  public:
    // Shows the month of `selected`; `today` is marked in the grid.
    CalendarModel(const SYSTEMTIME& selected, const SYSTEMTIME& today);

    int ShownYear() const { return m_shownYear; }
    int ShownMonth() const { return m_shownMonth; }
    const SYSTEMTIME& Selected() const { return m_selected; }
    const SYSTEMTIME& Today() const { return m_today; }

    // Pages the shown month; the selection stays.
    void ShowMonth(int offset);
    // Selects a date and shows its month.
    void Select(const SYSTEMTIME& date);

    // The dates of the grid, row by row: the first row holds the shown month's
    // first day, with the end of the previous month before it.
    std::array<SYSTEMTIME, kCalendarCells> Grid() const;
    bool InShownMonth(const SYSTEMTIME& date) const;

    // Arrows move the selection by a day or a week, Page Up/Down by a month,
    // Home/End to the month's first and last day; Return or Space chooses,
    // Escape cancels.
    CalendarKeyResult HandleKey(int virtualKey);

  private:
    SYSTEMTIME m_selected;
    SYSTEMTIME m_today;
    int m_shownYear = 0;
    int m_shownMonth = 0;
};

}  // namespace platform::controls
