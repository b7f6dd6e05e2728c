// The date picker control over the platform's date chooser: today's date as
// text, and the chosen-date, clear and cancel endings.

#include "ui/control/date_time/date_time.h"

#include <cwchar>

#include "tests/ui/controls/controls_window.h"

namespace {

using namespace controls_testing;

std::wstring DateText(const SYSTEMTIME& date) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
    return text;
}

SYSTEMTIME Date(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    return date;
}

SYSTEMTIME Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

class DateTimeTest : public ControlsWindow {
  protected:
    void SetUp() override {
        ControlsWindow::SetUp();
        dateTime = Add<CDateTimeUI>(L"");
        other = Add<CControlUI>(L"");
        Show();
        // The first tab stop takes the focus at a paint after the first one.
        manager.Invalidate();
        UpdateWindow(window);
        seam::Focus(window, true);
        manager.FocusControl(other, true);
        Pump();
    }
    // Focuses the control, which opens the chooser, and picks `date` in it.
    HWND OpenAndPick(const SYSTEMTIME& date) {
        manager.FocusControl(other, true);
        manager.FocusControl(dateTime, true);
        Pump();
        HWND picker = dateTime->GetChildWindow();
        EXPECT_NE(picker, nullptr) << "no chooser over the focused control";
        if (picker != nullptr) {
            SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
        }
        return picker;
    }
    void PressKey(int key) {
        seam::Key(window, key, true);
        seam::Key(window, key, false);
        Pump();
    }

    CDateTimeUI* dateTime = nullptr;
    CControlUI* other = nullptr;
    const SYSTEMTIME picked = Date(2021, 1, 2);
};

TEST_F(DateTimeTest, ANewControlShowsTodayAsYearMonthDay) {
    const std::wstring before = DateText(Today());
    CDateTimeUI fresh;
    const std::wstring after = DateText(Today());
    EXPECT_TRUE(fresh.GetText() == before || fresh.GetText() == after) << fresh.GetText().size();
    EXPECT_EQ(fresh.GetText().size(), 10u);
}

TEST_F(DateTimeTest, EscapeKeepsTheTextDeleteEmptiesItAndLeavingTakesThePickedDate) {
    dateTime->SetTime(Date(2020, 5, 17));
    ASSERT_EQ(dateTime->GetText(), L"2020-05-17");

    OpenAndPick(picked);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(dateTime->GetChildWindow(), nullptr);
    EXPECT_EQ(dateTime->GetText(), L"2020-05-17");
    EXPECT_EQ(dateTime->GetUpdateMode(), DateUpdateMode::Cancel);

    OpenAndPick(picked);
    PressKey(VK_DELETE);
    EXPECT_EQ(dateTime->GetChildWindow(), nullptr);
    EXPECT_EQ(dateTime->GetText(), L"");

    // Without a text the chooser starts at today.
    manager.FocusControl(other, true);
    manager.FocusControl(dateTime, true);
    Pump();
    HWND picker = dateTime->GetChildWindow();
    ASSERT_NE(picker, nullptr);
    SYSTEMTIME shown{};
    SendMessage(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(DateText(shown), DateText(Today()));

    SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
    manager.FocusControl(other, true);
    Pump();
    EXPECT_EQ(dateTime->GetChildWindow(), nullptr);
    EXPECT_FALSE(IsWindow(picker));
    EXPECT_EQ(dateTime->GetText(), L"2021-01-02");
}

TEST_F(DateTimeTest, AClickOnTheFocusedControlOpensTheChooserAgain) {
    HWND picker = OpenAndPick(picked);
    PressKey(VK_ESCAPE);
    ASSERT_FALSE(IsWindow(picker));
    ASSERT_EQ(manager.FocusedControl(), dateTime);

    const RECT item = dateTime->GetItemRect();
    seam::MouseButton(window, test_input::Button::Left, true, item.left + 5, item.top + 5);
    seam::MouseButton(window, test_input::Button::Left, false, item.left + 5, item.top + 5);
    Pump();
    EXPECT_NE(dateTime->GetChildWindow(), nullptr);
}

}  // namespace
