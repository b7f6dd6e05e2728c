#pragma once

// The drop-down window of a combo box: a popup under the combo holding a
// CComboBodyUI with the combo's items. It closes when an item is chosen,
// on Escape or Return, and when it loses the focus; it then gives the items
// back and deletes itself.

#include "ui/core/manager/window_manager.h"
#include "ui/core/window/window_wnd.h"

namespace VantuUI {

class CComboUI;
class CComboBodyUI;

class CComboWnd : public CWindowWnd {
  public:
    // Opens the window under `owner`; false when it could not be made (the
    // object is then gone too).
    static CComboWnd* Open(CComboUI* owner);

    const wchar_t* ClassName() const override;
    UINT ClassStyle() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone(HWND hwnd) override;

    CWindowManagerUI& Manager() { return m_manager; }
    CComboBodyUI* Body() const { return m_body; }
    // Scrolls the body so that the item is in view.
    void EnsureVisible(int index);

  private:
    explicit CComboWnd(CComboUI* owner) : m_owner(owner) {}
    // Where the window goes: under the combo, or over it when the screen
    // ends below.
    RECT DropRect() const;
    void GiveItemsBack();

    CComboUI* m_owner;
    CWindowManagerUI m_manager;
    CComboBodyUI* m_body = nullptr;  // owned by the manager as its root
};

}  // namespace VantuUI
