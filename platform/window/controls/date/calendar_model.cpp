#include "platform/window/controls/date/calendar_model.h"

#include "platform/window/controls/date/system_time.h"

namespace platform::controls {

CalendarModel::CalendarModel(const SYSTEMTIME& selected, const SYSTEMTIME& today)
    : m_selected(MakeDate(selected.wYear, selected.wMonth, selected.wDay)),
      m_today(MakeDate(today.wYear, today.wMonth, today.wDay)),
      m_shownYear(selected.wYear),
      m_shownMonth(selected.wMonth) {}

void CalendarModel::ShowMonth(int offset) {
    SYSTEMTIME first = AddMonths(MakeDate(m_shownYear, m_shownMonth, 1), offset);
    if (first.wYear < 1601 || first.wYear > 30827) {
        return;
    }
    m_shownYear = first.wYear;
    m_shownMonth = first.wMonth;
}

void CalendarModel::Select(const SYSTEMTIME& date) {
    if (date.wYear < 1601 || date.wYear > 30827) {
        return;
    }
    m_selected = MakeDate(date.wYear, date.wMonth, date.wDay);
    m_shownYear = date.wYear;
    m_shownMonth = date.wMonth;
}

std::array<SYSTEMTIME, kCalendarCells> CalendarModel::Grid() const {
    SYSTEMTIME first = MakeDate(m_shownYear, m_shownMonth, 1);
    SYSTEMTIME start = AddDays(first, -static_cast<int>(first.wDayOfWeek));
    std::array<SYSTEMTIME, kCalendarCells> grid;
    for (int i = 0; i < kCalendarCells; ++i) {
        grid[i] = AddDays(start, i);
    }
    return grid;
}

bool CalendarModel::InShownMonth(const SYSTEMTIME& date) const {
    return date.wYear == m_shownYear && date.wMonth == m_shownMonth;
}

CalendarKeyResult CalendarModel::HandleKey(int virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
        case VK_RIGHT:
            Select(AddDays(m_selected, virtualKey == VK_LEFT ? -1 : 1));
            return CalendarKeyResult::kMoved;
        case VK_UP:
        case VK_DOWN:
            Select(AddDays(m_selected, virtualKey == VK_UP ? -7 : 7));
            return CalendarKeyResult::kMoved;
        case VK_PRIOR:
        case VK_NEXT:
            Select(AddMonths(m_selected, virtualKey == VK_PRIOR ? -1 : 1));
            return CalendarKeyResult::kMoved;
        case VK_HOME:
            Select(MakeDate(m_selected.wYear, m_selected.wMonth, 1));
            return CalendarKeyResult::kMoved;
        case VK_END:
            Select(MakeDate(m_selected.wYear, m_selected.wMonth,
                            DaysInMonth(m_selected.wYear, m_selected.wMonth)));
            return CalendarKeyResult::kMoved;
        case VK_RETURN:
        case VK_SPACE:
            return CalendarKeyResult::kChosen;
        case VK_ESCAPE:
            return CalendarKeyResult::kCancelled;
        default:
            return CalendarKeyResult::kIgnored;
    }
}

}  // namespace platform::controls
