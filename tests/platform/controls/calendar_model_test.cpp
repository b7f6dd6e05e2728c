#include "platform/window/controls/date/calendar_model.h"

#include <gtest/gtest.h>

#include "platform/window/controls/date/system_time.h"

namespace {

using platform::controls::CalendarKeyResult;
using platform::controls::CalendarModel;
using platform::controls::MakeDate;

TEST(SystemTime, DatesKnowTheirWeekdayLeapYearsAndValidity) {
    EXPECT_EQ(MakeDate(2024, 2, 29).wDayOfWeek, 4);  // a Thursday
    EXPECT_EQ(MakeDate(2000, 1, 1).wDayOfWeek, 6);
    EXPECT_EQ(platform::controls::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(platform::controls::DaysInMonth(1900, 2), 28);
    EXPECT_FALSE(platform::controls::IsValidDate(SYSTEMTIME{2023, 2, 0, 29}));
    EXPECT_FALSE(platform::controls::IsValidDate(SYSTEMTIME{2023, 13, 0, 1}));
    EXPECT_FALSE(platform::controls::IsValidDate(SYSTEMTIME{1600, 12, 0, 31}));
    EXPECT_FALSE(platform::controls::IsValidDate(SYSTEMTIME{2023, 1, 0, 1, 24}));
    EXPECT_TRUE(platform::controls::IsValidDate(SYSTEMTIME{2024, 2, 0, 29, 23, 59, 59, 999}));
    auto jan31 = MakeDate(2023, 1, 31);
    EXPECT_EQ(platform::controls::AddMonths(jan31, 1), MakeDate(2023, 2, 28));
    EXPECT_EQ(platform::controls::AddMonths(jan31, -2), MakeDate(2022, 11, 30));
    EXPECT_EQ(platform::controls::AddDays(MakeDate(2023, 12, 31), 1), MakeDate(2024, 1, 1));
}

TEST(SystemTime, LocalTimeIsAValidDateWithItsWeekday) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_TRUE(platform::controls::IsValidDate(now));
    EXPECT_EQ(now.wDayOfWeek, MakeDate(now.wYear, now.wMonth, now.wDay).wDayOfWeek);
}

TEST(CalendarModel, GridStartsOnTheSundayOnOrBeforeTheFirstOfTheMonth) {
    CalendarModel model(MakeDate(2024, 3, 15), MakeDate(2024, 3, 1));
    auto grid = model.Grid();
    EXPECT_EQ(grid[0], MakeDate(2024, 2, 25));  // March 1st 2024 is a Friday
    EXPECT_EQ(grid[5], MakeDate(2024, 3, 1));
    EXPECT_EQ(grid[41], MakeDate(2024, 4, 6));
    EXPECT_FALSE(model.InShownMonth(grid[4]));
    EXPECT_TRUE(model.InShownMonth(grid[35]));  // March 31st
    // A month starting on Sunday has it in the first cell.
    model.ShowMonth(-7);
    EXPECT_EQ(model.ShownYear(), 2023);
    EXPECT_EQ(model.ShownMonth(), 8);
    model.ShowMonth(2);
    EXPECT_EQ(model.Grid()[0], MakeDate(2023, 10, 1));
    EXPECT_EQ(model.Selected(), MakeDate(2024, 3, 15));  // paging keeps the selection
}

TEST(CalendarModel, KeysMoveTheSelectionAcrossMonthsAndChooseOrCancel) {
    CalendarModel model(MakeDate(2024, 1, 31), MakeDate(2024, 1, 1));
    EXPECT_EQ(model.HandleKey(VK_RIGHT), CalendarKeyResult::kMoved);
    EXPECT_EQ(model.Selected(), MakeDate(2024, 2, 1));
    EXPECT_EQ(model.ShownMonth(), 2);
    model.HandleKey(VK_UP);
    EXPECT_EQ(model.Selected(), MakeDate(2024, 1, 25));
    model.HandleKey(VK_NEXT);
    EXPECT_EQ(model.Selected(), MakeDate(2024, 2, 25));
    model.HandleKey(VK_END);
    EXPECT_EQ(model.Selected(), MakeDate(2024, 2, 29));
    EXPECT_EQ(model.HandleKey(VK_RETURN), CalendarKeyResult::kChosen);
    EXPECT_EQ(model.HandleKey(VK_ESCAPE), CalendarKeyResult::kCancelled);
    EXPECT_EQ(model.HandleKey('Q'), CalendarKeyResult::kIgnored);
}

TEST(CalendarModel, StaysWithinTheYearsADateCanHold) {
    CalendarModel model(MakeDate(1601, 1, 3), MakeDate(2024, 1, 1));
    model.HandleKey(VK_PRIOR);
    EXPECT_EQ(model.Selected(), MakeDate(1601, 1, 3));
    model.ShowMonth(-1);
    EXPECT_EQ(model.ShownYear(), 1601);
    EXPECT_EQ(model.ShownMonth(), 1);
}

}  // namespace
