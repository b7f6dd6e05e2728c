#pragma once

// The platform's date chooser, superclassed, laid over a CDateTimeUI: losing
// the focus takes the chosen date, Backspace or Delete clears the date, and
// Escape cancels.

#include "platform/gdi/gdi_api.h"
#include "ui/control/child_window/control_child_wnd.h"

namespace VantuUI {

class CDateTimeUI;
enum class DateUpdateMode;

class CDateTimeWnd : public CControlChildWnd {
  public:
    explicit CDateTimeWnd(CDateTimeUI& owner);

    const wchar_t* ClassName() const override;
    const wchar_t* BaseClassName() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creates the chooser over the control when it is not there yet, sets
    // the control's date (today for a control without text) and gives it
    // the keyboard focus. False when it cannot be created.
    bool OpenPicker();

  private:
    CDateTimeUI* DateTime() const;
    void TakeResultOnFocusLoss() override;
    void DetachFromOwner(CControlUI& owner) override;
    // Ends the choice with `mode` and closes the chooser after the key.
    LRESULT EndWithKey(UINT message, WPARAM wParam, LPARAM lParam, DateUpdateMode mode);

    platform::FontHandle m_font;
    bool m_initialised = false;
};

}  // namespace VantuUI
