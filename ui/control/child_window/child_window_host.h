#pragma once

// A label over which a native child window lies while the control is being
// edited (the edit box, the date chooser): the window follows the control
// wherever layout and scrolling put it.

#include "ui/control/basic/label.h"
#include "ui/control/child_window/control_child_wnd.h"

namespace VantuUI {

template <class Window>
class CChildWindowHostUI : public CLabelUI {
  public:
    HWND GetChildWindow() override { return m_window.Handle(); }
    void SetItemRect(RECT rect, bool invalidate = true) override {
        CLabelUI::SetItemRect(rect, invalidate);
        m_window.Place(ChildWindowRect());
    }
    void Move(SIZE offset, bool invalidate = true) override {
        CLabelUI::Move(offset, invalidate);
        m_window.Place(ChildWindowRect());
    }
    // Losing the focus changes how the control is drawn.
    void HandleEvent(TInputEventUI& event) override {
        if (event.Kind == UIEVENT_KILLFOCUS && IsEnabled()) {
            Invalidate();
        }
        CLabelUI::HandleEvent(event);
    }

    // Where the child window goes, in window coordinates, cut to what the
    // ancestors show (empty when they show none of it).
    virtual RECT ChildWindowRect() = 0;

  protected:
    CChildWindowSlot<Window> m_window;
};

}  // namespace VantuUI
