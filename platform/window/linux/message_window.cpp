#include "platform/window/message_window.h"

namespace platform {

MessageWindow::MessageWindow(WNDPROC procedure) : m_window(AddWindowHandle(procedure)) {}

MessageWindow::~MessageWindow() {
    RemoveWindowHandle(m_window);
}

}  // namespace platform
