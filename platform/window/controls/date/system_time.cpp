#include "platform/window/controls/date/system_time.h"

#include <chrono>
#include <ctime>

void GetLocalTime(SYSTEMTIME* time) {
    if (time == nullptr) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    time->wYear = static_cast<WORD>(local.tm_year + 1900);
    time->wMonth = static_cast<WORD>(local.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time->wDay = static_cast<WORD>(local.tm_mday);
    time->wHour = static_cast<WORD>(local.tm_hour);
    time->wMinute = static_cast<WORD>(local.tm_min);
    time->wSecond = static_cast<WORD>(std::min(local.tm_sec, 59));
    time->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}

namespace platform::controls {

namespace {

std::chrono::year_month_day YmdOf(const SYSTEMTIME& t) {
    return std::chrono::year_month_day{std::chrono::year{t.wYear}, std::chrono::month{t.wMonth},
                                       std::chrono::day{t.wDay}};
}

SYSTEMTIME FromYmd(std::chrono::year_month_day ymd) {
    return MakeDate(static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
                    static_cast<int>(unsigned{ymd.day()}));
}

}  // namespace

bool IsValidDate(const SYSTEMTIME& time) {
    return time.wYear >= 1601 && time.wYear <= 30827 && YmdOf(time).ok() && time.wHour < 24 &&
           time.wMinute < 60 && time.wSecond < 60 && time.wMilliseconds < 1000;
}

int DaysInMonth(int year, int month) {
    using namespace std::chrono;
    auto last = year_month_day_last{
        std::chrono::year{year}, month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(unsigned{last.day()});
}

SYSTEMTIME MakeDate(int year, int month, int day) {
    using namespace std::chrono;
    year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
    SYSTEMTIME t;
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wDayOfWeek = static_cast<WORD>(weekday{sys_days{ymd}}.c_encoding());
    return t;
}

SYSTEMTIME AddDays(const SYSTEMTIME& date, int days) {
    using namespace std::chrono;
    return FromYmd(year_month_day{sys_days{YmdOf(date)} + std::chrono::days{days}});
}

SYSTEMTIME AddMonths(const SYSTEMTIME& date, int months) {
    int index = date.wYear * 12 + (date.wMonth - 1) + months;
    int year = index / 12;
    int month = index % 12 + 1;
    return MakeDate(year, month, std::min<int>(date.wDay, DaysInMonth(year, month)));
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

}  // namespace platform::controls
