#pragma once

// A date shown as text (element "DateTime"). While it has the focus the
// platform's date chooser (CDateTimeWnd) lies over it; when the chooser
// closes, its outcome decides the text: the chosen date, no date, or the
// text as it was.

#include "ui/control/child_window/child_window_host.h"
#include "ui/control/date_time/date_time_wnd.h"

namespace VantuUI {

// How the chooser ended.
enum class DateUpdateMode { None = 0, TakeDate = 1, Clear = 2, Cancel = 3 };

class CDateTimeUI : public CChildWindowHostUI<CDateTimeWnd> {
  public:
    CDateTimeUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void HandleEvent(TInputEventUI& event) override;

    const SYSTEMTIME& GetTime() const { return m_date; }
    void SetTime(const SYSTEMTIME& date);
    DateUpdateMode GetUpdateMode() const { return m_updateMode; }
    // TakeDate writes the date as text (year-month-day), Clear empties the
    // text, the other modes leave it.
    void UpdateDateText();
    // The chooser covers the whole item.
    RECT ChildWindowRect() override;

  private:
    friend class CDateTimeWnd;

    // Opens the chooser, or sets the date anew in the open one.
    void OpenPicker();

    SYSTEMTIME m_date{};
    DateUpdateMode m_updateMode = DateUpdateMode::None;
};

}  // namespace VantuUI
