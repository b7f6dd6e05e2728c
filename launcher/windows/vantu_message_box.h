#pragma once

// The launcher's own skinned message box ("MessageBox.xml"): a title, a
// text, OK and, unless it is OK-only, Cancel. It runs modally over its owner
// and answers whether OK was clicked.

#include <string>

#include "ui/core/window/window_impl_base.h"

namespace vantu {

class VantuMessageBox : public VantuUI::WindowImplBase {
  public:
    // An empty title keeps the skin's; okOnly 1 hides Cancel.
    VantuMessageBox(std::wstring title, std::wstring content, int okOnly);

    const wchar_t* ClassName() const override;
    // The base dispatch; on WM_CREATE the controls are filled afterwards.
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::wstring SkinFolder() const override;
    std::wstring SkinFile() const override;
    // The three buttons; Escape stays the base's (closes, answer false).
    void OnNotification(VantuUI::TNotificationUI& msg) override;

    bool OkPressed() const { return m_okPressed; }

  private:
    void FillControls();

    bool m_okPressed = false;
    std::wstring m_title;
    std::wstring m_content;
    int m_okOnly;
};

// Shows the box over `parent` (none: no owner) and waits for it; true when
// OK was clicked. Where no window can be shown at all, the title and text go
// to standard error and the answer is the box's default button, OK, so that
// a run without a display ends instead of waiting for a click.
bool ShowVantuMessageBox(HWND parent, bool okOnly, const std::wstring& title,
                         const std::wstring& content);

}  // namespace vantu
