// On the real window system: the window's own messages. Keys are posted
// and go through the message loop's translation, which makes their
// characters as a keyboard's would; Ctrl is held in the thread's keyboard
// state, where GetKeyState reads it.

#include "tests/ui/rich_edit/window_input.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gdi/windows/dib_view.h"

namespace rich_edit_testing {

namespace {

POINT g_mouse{};
bool g_leftDown = false;

LRESULT CALLBACK ManagedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* manager =
        reinterpret_cast<VantuUI::CWindowManagerUI*>(GetWindowLongPtr(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (manager != nullptr && manager->HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

void HoldControl(bool held) {
    BYTE state[256]{};
    GetKeyboardState(state);
    state[VK_CONTROL] = held ? 0x80 : 0;
    state[VK_LCONTROL] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

LPARAM Position(int x, int y) {
    return MAKELPARAM(x, y);
}

}  // namespace

const wchar_t* ManagedClass() {
    static const bool registered = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = ManagedProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
        cls.lpszClassName = L"VantuRichEditTest";
        return RegisterClassW(&cls) != 0;
    }();
    EXPECT_TRUE(registered);
    return L"VantuRichEditTest";
}

void Pump() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!VantuUI::CWindowManagerUI::TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void RunPendingMessages() {
    Pump();
}

void FocusWindow(HWND window) {
    SetActiveWindow(window);
    SetFocus(window);
}

void MouseMove(HWND window, int x, int y) {
    g_mouse = POINT{x, y};
    SendMessage(window, WM_MOUSEMOVE, g_leftDown ? MK_LBUTTON : 0, Position(x, y));
}

void LeftButton(HWND window, bool down, int x, int y) {
    g_mouse = POINT{x, y};
    g_leftDown = down;
    SendMessage(window, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0,
                Position(x, y));
}

void Wheel(HWND window, int notches) {
    POINT screen = g_mouse;
    ClientToScreen(window, &screen);
    SendMessage(window, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA),
                MAKELPARAM(screen.x, screen.y));
}

void PressKey(HWND window, Key key, bool control) {
    WPARAM code = VK_RETURN;
    switch (key) {
        case Key::Return:
            break;
        case Key::Tab:
            code = VK_TAB;
            break;
        case Key::Backspace:
            code = VK_BACK;
            break;
        case Key::C:
            code = 'C';
            break;
    }
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
    if (control) {
        HoldControl(true);
    }
    PostMessage(window, WM_KEYDOWN, code, 1 | (static_cast<LPARAM>(scan) << 16));
    Pump();
    PostMessage(window, WM_KEYUP, code, 1 | (static_cast<LPARAM>(scan) << 16) | (LPARAM{3} << 30));
    Pump();
    if (control) {
        HoldControl(false);
    }
}

void TypeText(HWND window, const std::wstring& text) {
    for (wchar_t c : text) {
        PostMessage(window, WM_CHAR, c, 1);
    }
}

std::uint32_t PresentedPixel(VantuUI::CWindowManagerUI& manager, HWND /*window*/, int x, int y) {
    const auto buffer = platform::ViewDib(manager.OffscreenBitmap());
    if (!buffer || !buffer->Holds(x, y)) {
        ADD_FAILURE() << "no back buffer pixel at " << x << "," << y;
        return 0;
    }
    return buffer->At(x, y) & 0xFFFFFFu;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    // The system's text services copy "\r\n" line ends; the tests write "\n".
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos;
         at = text.find(L"\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace rich_edit_testing
