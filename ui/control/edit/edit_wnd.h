#pragma once

// The platform's native edit window, superclassed, laid over a CEditUI while
// it is being edited: it takes the control's text, font and modes when it
// opens and reports every change, Return and its colours back to it.

#include <string>

#include "platform/gdi/gdi_api.h"
#include "ui/control/child_window/control_child_wnd.h"

namespace VantuUI {

class CEditUI;

class CEditWnd : public CControlChildWnd {
  public:
    explicit CEditWnd(CEditUI& owner);

    const wchar_t* ClassName() const override;
    const wchar_t* BaseClassName() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creates the window over the control and gives it the keyboard focus.
    // False when it cannot be created (the object is then unused).
    bool OpenOver();

  private:
    CEditUI* Edit() const;
    void DetachFromOwner(CControlUI& owner) override;
    LRESULT OnReflectedCommand(WPARAM wParam);
    LRESULT OnColorRequest(HDC dc);
    LRESULT OnPrint(WPARAM wParam, LPARAM lParam);

    platform::FontHandle m_font;
    platform::BrushHandle m_brush;
    std::wstring m_nativeText;  // as the native window last reported it
    bool m_initialised = false;
    bool m_caretShown = false;
};

}  // namespace VantuUI
