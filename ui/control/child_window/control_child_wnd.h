#pragma once

// A native child window laid over a control while the control is being
// edited (the edit box, the date chooser). It is registered with the
// control's paint manager while it exists, closes itself when it loses the
// keyboard focus, and deletes itself once the native window is gone.

#include <memory>
#include <utility>

#include "platform/win32.h"
#include "ui/core/window/window_wnd.h"

namespace VantuUI {

class CControlUI;
class CWindowManagerUI;

// `rect` (window coordinates) cut down to what the control's ancestors
// show: empty when an ancestor is hidden or shows none of it.
RECT ClipToAncestors(const CControlUI& control, RECT rect);

// Moves a child window to `rect`, or hides it when `rect` is empty.
void PlaceChildWindow(HWND window, const RECT& rect);

class CControlChildWnd : public CWindowWnd {
  public:
    CControlUI* Owner() const { return m_owner; }
    // The owner is going away: the window closes without calling back.
    void CloseForGoneOwner();

  protected:
    explicit CControlChildWnd(CControlUI& owner) : m_owner(&owner) {}

    CWindowManagerUI* Manager() const;
    bool InLayeredWindow() const;
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    // Registration on WM_CREATE and again on WM_PAINT in layered windows
    // (a repeated registration has no effect); the rest to the native class.
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The focus went to `wParam`: after the native class has had the
    // message, the result is taken (TakeResultOnFocusLoss), a window other
    // than the paint manager's hears of it too, and this window closes.
    // This object is deleted on return; only the returned value may be used.
    LRESULT CloseOnFocusLoss(WPARAM wParam, LPARAM lParam);
    virtual void TakeResultOnFocusLoss() {}
    // The owner forgets this window; called once the native window is gone.
    virtual void DetachFromOwner(CControlUI& owner) = 0;
    // Expires when this object is deleted: a listener of a notification
    // raised from here may move the focus away, which closes the window.
    std::weak_ptr<const void> Lifetime() const { return m_lifetime; }

  private:
    void OnWindowGone(HWND hwnd) final;

    CControlUI* m_owner;
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);
};

// The control's side: at most one child window at a time, placed with the
// control and closed when the control goes.
template <class Window>
class CChildWindowSlot {
  public:
    CChildWindowSlot() = default;
    CChildWindowSlot(const CChildWindowSlot&) = delete;
    CChildWindowSlot& operator=(const CChildWindowSlot&) = delete;
    ~CChildWindowSlot() {
        if (Window* window = std::exchange(m_window, nullptr)) {
            window->CloseForGoneOwner();
        }
    }

    Window* operator->() const { return m_window; }
    bool IsOpen() const { return m_window != nullptr; }
    HWND Handle() const { return m_window != nullptr ? m_window->Handle() : nullptr; }
    void Place(const RECT& rect) const {
        if (m_window != nullptr) {
            PlaceChildWindow(m_window->Handle(), rect);
        }
    }
    // Runs `open` on the window, made for `owner` when there is none; a
    // window made here is dropped again when `open` fails.
    template <class Owner>
    bool Open(Owner& owner, bool (Window::*open)()) {
        const bool made = m_window == nullptr;
        if (made) {
            m_window = new Window(owner);
        }
        if ((m_window->*open)()) {
            return true;
        }
        if (made) {
            delete std::exchange(m_window, nullptr);
        }
        return false;
    }
    // The native window is gone (its object deletes itself).
    void Forget() { m_window = nullptr; }

  private:
    Window* m_window = nullptr;
};

}  // namespace VantuUI
