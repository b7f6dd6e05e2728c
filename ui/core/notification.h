#pragma once

// Notifications: what a control tells the application ("click",
// "textchanged", ...), delivered by the paint manager to the sender's own
// delegate list and then to every registered listener.

#include <string>

#include "platform/win32.h"

namespace VantuUI {

class CControlUI;

struct TNotificationUI {
    std::wstring type;           // a short lowercase word
    std::wstring virtualWindow;  // the sender's virtual window, when the manager groups by it
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;  // GetTickCount when raised
    POINT mousePoint{};   // the manager's last mouse position, client coordinates
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
  public:
    virtual void OnNotification(TNotificationUI& msg) = 0;

  protected:
    ~INotifyUI() = default;
};

}  // namespace VantuUI
