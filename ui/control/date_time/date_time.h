#pragma once

// A date shown as text (element "DateTime"). While it has the focus the
// platform's date chooser (CDateTimeWnd) lies over it; when the chooser
// closes, its outcome decides the text: the chosen date, no date, or the
// text as it was.

#include "ui/control/basic/label.h"
#include "ui/control/child_window/control_child_wnd.h"
#include "ui/control/date_time/date_time_wnd.h"

namespace VantuUI {

// How the chooser ended.
enum class DateUpdateMode { None = 0, TakeDate = 1, Clear = 2, Cancel = 3 };

class CDateTimeUI : public CLabelUI {
  public:
    CDateTimeUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    HWND GetChildWindow() override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void Move(SIZE offset, bool invalidate = true) override;
    void HandleEvent(TInputEventUI& event) override;

    const SYSTEMTIME& GetTime() const { return m_date; }
    void SetTime(const SYSTEMTIME& date);
    DateUpdateMode GetUpdateMode() const { return m_updateMode; }
    // TakeDate writes the date as text (year-month-day), Clear empties the
    // text, the other modes leave it.
    void UpdateDateText();
    // The chooser's place in window coordinates: the item cut to what the
    // ancestors show.
    RECT PickerRect() const;

  private:
    friend class CDateTimeWnd;

    // Opens the chooser, or sets the date anew in the open one.
    void OpenPicker();

    SYSTEMTIME m_date{};
    CChildWindowSlot<CDateTimeWnd> m_window;
    DateUpdateMode m_updateMode = DateUpdateMode::None;
};

}  // namespace VantuUI
