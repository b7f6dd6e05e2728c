#include "platform/window/message_window.h"

namespace platform {

namespace {

constexpr wchar_t kClassName[] = L"VantuMessageWindow";

LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message >= WM_USER && procedure != nullptr) {
        return procedure(window, message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Forward;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    return registered;
}

}  // namespace

MessageWindow::MessageWindow(WNDPROC procedure) {
    if (RegisterOnce()) {
        // A message-only window: never shown, not found by enumeration.
        m_window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), reinterpret_cast<void*>(procedure));
    }
}

MessageWindow::~MessageWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

}  // namespace platform
