// The date-time picker and its drop-down calendar driven through the display seam.

#include "platform/window/controls/date/month_calendar.h"
#include "platform/window/controls/date/system_time.h"
#include "platform/window/display/display_seam.h"
#include "tests/platform/window/window_test_support.h"

namespace {

using namespace window_testing;
using platform::controls::MakeDate;
using platform::seam::RunPendingMessages;

constexpr int kPickerId = 9;
constexpr int kPickerWidth = 160;
constexpr int kPickerHeight = 24;

struct Notice {
    UINT code;
    DWORD flags;
    SYSTEMTIME date;
};

class DatePickerTest : public WindowTest {
  protected:
    HWND MakePicker(DWORD style) {
        top = Top(50, 50, 400, 300);
        Answers() = [this](HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam) -> std::optional<LRESULT> {
            if (hwnd == top && message == WM_NOTIFY) {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                EXPECT_EQ(wParam, static_cast<WPARAM>(kPickerId));
                EXPECT_EQ(header->idFrom, static_cast<UINT_PTR>(kPickerId));
                Notice notice{header->code, 0, {}};
                if (header->code == DTN_DATETIMECHANGE) {
                    const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
                    notice.flags = change->dwFlags;
                    notice.date = change->st;
                }
                notices.push_back(notice);
                return 0;
            }
            return std::nullopt;
        };
        HWND picker = CreateWindowEx(0, DATETIMEPICK_CLASS, nullptr, WS_CHILD | WS_VISIBLE | style,
                                     20, 20, kPickerWidth, kPickerHeight, top,
                                     reinterpret_cast<HMENU>(kPickerId), nullptr, nullptr);
        EXPECT_NE(picker, nullptr);
        platform::seam::Focus(top, true);
        RunPendingMessages();
        return picker;
    }
    void ClickPicker(int x, int y) {
        platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 20 + x, 20 + y);
        platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 20 + x, 20 + y);
        RunPendingMessages();
    }
    void OpenCalendar() { ClickPicker(kPickerWidth - 5, kPickerHeight / 2); }
    // A click on the open calendar's client point.
    static void ClickCalendar(HWND calendar, POINT p) {
        platform::seam::MouseButton(calendar, SDL_BUTTON_LEFT, true, p.x, p.y);
        platform::seam::MouseButton(calendar, SDL_BUTTON_LEFT, false, p.x, p.y);
        RunPendingMessages();
    }
    static POINT Centre(const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Press(SDL_Keycode key) {
        platform::seam::Key(top, key, true);
        platform::seam::Key(top, key, false);
        RunPendingMessages();
    }
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Notice& n : notices) {
            codes.push_back(n.code);
        }
        return codes;
    }
    static SYSTEMTIME Value(HWND picker, LRESULT* flag) {
        SYSTEMTIME value;
        *flag = SendMessage(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
        return value;
    }
    static bool Set(HWND picker, LRESULT flag, const SYSTEMTIME* date) {
        return SendMessage(picker, DTM_SETSYSTEMTIME, static_cast<WPARAM>(flag),
                           reinterpret_cast<LPARAM>(date)) != 0;
    }

    HWND top = nullptr;
    std::vector<Notice> notices;
};

TEST_F(DatePickerTest, StartsAtTodayAndTakesOnlyRealDates) {
    HWND picker = MakePicker(0);
    SYSTEMTIME today;
    GetLocalTime(&today);
    LRESULT flag = GDT_ERROR;
    SYSTEMTIME value = Value(picker, &flag);
    EXPECT_EQ(flag, GDT_VALID);
    EXPECT_TRUE(platform::controls::SameDate(value, today));
    EXPECT_EQ(SendMessage(picker, DTM_GETSYSTEMTIME, 0, 0), GDT_ERROR);

    SYSTEMTIME leap = MakeDate(2024, 2, 29);
    leap.wHour = 13;
    EXPECT_TRUE(Set(picker, GDT_VALID, &leap));
    value = Value(picker, &flag);
    EXPECT_EQ(value, leap);
    SYSTEMTIME bad{2023, 2, 0, 29};
    EXPECT_FALSE(Set(picker, GDT_VALID, &bad));
    EXPECT_FALSE(Set(picker, GDT_VALID, nullptr));
    // "No date" needs DTS_SHOWNONE.
    EXPECT_FALSE(Set(picker, GDT_NONE, nullptr));
    EXPECT_EQ(Value(picker, &flag), leap);
    EXPECT_TRUE(notices.empty()) << "setting the date is no user change";
}

TEST_F(DatePickerTest, ADayClickedInTheCalendarIsChosenAndReported) {
    HWND picker = MakePicker(0);
    SYSTEMTIME start = MakeDate(2024, 3, 15);
    Set(picker, GDT_VALID, &start);
    OpenCalendar();
    auto calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(IsWindowVisible(calendar));
    EXPECT_EQ(GetFocus(), picker);
    EXPECT_EQ(Codes(), (std::vector<UINT>{DTN_DROPDOWN}));
    RECT placed;
    GetWindowRect(calendar, &placed);
    EXPECT_EQ(placed.left, 50 + 20);
    EXPECT_EQ(placed.top, 50 + 20 + kPickerHeight);

    // The next month, then its cell 10: April 2024 starts on a Monday, so
    // the grid's cell 10 is April 10th.
    ClickCalendar(calendar, Centre(platform::controls::MonthCalendarNextRect()));
    ClickCalendar(calendar, Centre(platform::controls::MonthCalendarDayRect(10)));
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(SendMessage(picker, DTM_GETMONTHCAL, 0, 0), 0);
    ASSERT_EQ(Codes(), (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));
    EXPECT_EQ(notices[1].flags, static_cast<DWORD>(GDT_VALID));
    EXPECT_EQ(notices[1].date, MakeDate(2024, 4, 10));
    LRESULT flag = GDT_ERROR;
    EXPECT_EQ(Value(picker, &flag), MakeDate(2024, 4, 10));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DatePickerTest, EscapeAndAClickOutsideCancelTheCalendar) {
    HWND picker = MakePicker(0);
    SYSTEMTIME start = MakeDate(2024, 3, 15);
    Set(picker, GDT_VALID, &start);
    SetFocus(picker);
    Press(SDLK_F4);
    auto calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    Press(SDLK_RIGHT);
    EXPECT_EQ(platform::controls::MonthCalendarModel(calendar)->Selected(), MakeDate(2024, 3, 16));
    Press(SDLK_ESCAPE);
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(Codes(), (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}));
    LRESULT flag = GDT_ERROR;
    EXPECT_EQ(Value(picker, &flag), start);

    // Return takes the date the keys moved to.
    notices.clear();
    Press(SDLK_F4);
    Press(SDLK_DOWN);
    Press(SDLK_RETURN);
    EXPECT_EQ(Value(picker, &flag), MakeDate(2024, 3, 22));
    EXPECT_EQ(Codes(), (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));

    // The calendar holds the capture: a click elsewhere in the window closes it.
    notices.clear();
    OpenCalendar();
    calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, true, 300, 250);
    platform::seam::MouseButton(top, SDL_BUTTON_LEFT, false, 300, 250);
    RunPendingMessages();
    EXPECT_FALSE(IsWindow(calendar));
    EXPECT_EQ(Codes(), (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP}));
    EXPECT_EQ(Value(picker, &flag), MakeDate(2024, 3, 22));
}

TEST_F(DatePickerTest, TheCheckBoxOfShowNoneSwitchesToNoDateAndBack) {
    HWND picker = MakePicker(DTS_SHOWNONE);
    SYSTEMTIME start = MakeDate(2024, 3, 15);
    Set(picker, GDT_VALID, &start);
    ClickPicker(8, kPickerHeight / 2);
    LRESULT flag = GDT_ERROR;
    Value(picker, &flag);
    EXPECT_EQ(flag, GDT_NONE);
    ASSERT_EQ(Codes(), (std::vector<UINT>{DTN_DATETIMECHANGE}));
    EXPECT_EQ(notices[0].flags, static_cast<DWORD>(GDT_NONE));

    ClickPicker(8, kPickerHeight / 2);
    EXPECT_EQ(Value(picker, &flag), start);
    EXPECT_EQ(flag, GDT_VALID);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[1].flags, static_cast<DWORD>(GDT_VALID));

    EXPECT_TRUE(Set(picker, GDT_NONE, nullptr));
    Value(picker, &flag);
    EXPECT_EQ(flag, GDT_NONE);
    // Choosing in the calendar gives a date again.
    OpenCalendar();
    auto calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    Press(SDLK_RETURN);
    Value(picker, &flag);
    EXPECT_EQ(flag, GDT_VALID);
}

TEST_F(DatePickerTest, MadeAndDestroyedManyTimesWithTheCalendarOpen) {
    HWND picker = MakePicker(0);
    DestroyWindow(picker);
    // The leak check of the sanitizer build watches this.
    for (int i = 0; i < 1000; ++i) {
        HWND made = CreateWindowEx(0, DATETIMEPICK_CLASS, nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                                   kPickerWidth, kPickerHeight, top,
                                   reinterpret_cast<HMENU>(kPickerId), nullptr, nullptr);
        ASSERT_NE(made, nullptr);
        if (i % 100 == 0) {
            SetFocus(made);
            SendMessage(made, WM_KEYDOWN, VK_F4, 0);
            ASSERT_NE(SendMessage(made, DTM_GETMONTHCAL, 0, 0), 0);
        }
        DestroyWindow(made);
    }
    RunPendingMessages();
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
