#pragma once

// A window that is never shown, only posted to: what a thread without windows
// (the headless upgrade) gives a worker to report to. Its procedure gets the
// program's own messages (WM_USER and above); on Windows the system's
// messages to it get the default handling. Removed when the object goes.

#include "platform/window/message_queue.h"

namespace platform {

class MessageWindow {
  public:
    explicit MessageWindow(WNDPROC procedure);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // Null when it could not be made.
    HWND Handle() const { return m_window; }

  private:
    HWND m_window = nullptr;
};

}  // namespace platform
