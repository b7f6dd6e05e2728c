#pragma once

// One native window and the object behind it: the class is registered (or an
// existing class superclassed), every message of the window reaches the
// object's ProcessMessage, and the window can be run modally, centred and
// closed.

#include "platform/window/window_api.h"

namespace VantuUI {

class CWindowWnd {
  public:
    CWindowWnd() = default;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    virtual const wchar_t* ClassName() const = 0;
    // A class to superclass instead of registering a new one (null: none).
    virtual const wchar_t* BaseClassName() const;
    virtual UINT ClassStyle() const;
    virtual LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the native window is gone.
    virtual void OnWindowGone(HWND hwnd);
    // A window object that dies before its native window takes it along, so
    // that no message reaches the dead object.
    virtual ~CWindowWnd();

    HWND Handle() const { return m_hwnd; }

    bool RegisterOwnClass();
    bool RegisterDerivedClass();

    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HMENU menu = nullptr);
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect,
                HMENU menu = nullptr);

    void Show(bool show = true, bool takeFocus = true);
    // Runs the window modally over its owner; the result is the wParam of
    // the WM_CLOSE that ended it.
    UINT RunModal();
    // Posts WM_CLOSE with the result; nothing when the window is gone.
    void Close(UINT result = 1);
    void CenterOnOwner();

    LRESULT SendToWindow(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostToWindow(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  protected:
    HWND m_hwnd = nullptr;
    // The superclassed class's own procedure, otherwise DefWindowProc.
    WNDPROC m_previousProc = DefWindowProc;

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Routing shared by both procedures; `superclassed` picks where the
    // object is attached to the window.
    static LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool superclassed);
};

}  // namespace VantuUI
