// The default answers of a window to the messages its procedure leaves alone.

#include <algorithm>
#include <cwchar>

#include "platform/window/window_internal.h"
#include "platform/window/window_system.h"

namespace {

// WM_CONTEXTMENU's position when the keyboard asked for the menu.
constexpr LPARAM kFromKeyboard = MAKELPARAM(-1, -1);

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    platform::Window* w = platform::FindWindowRecord(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_NCACTIVATE:
            return TRUE;
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_ERASEBKGND:
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINT:
        case WM_PRINTCLIENT: {
            // What the window last painted, from the back buffer it paints into.
            auto* dc = reinterpret_cast<HDC>(wParam);
            RECT area{};
            HBITMAP buffer = platform::WindowBackBuffer(hwnd, &area);
            if (dc != nullptr && buffer != nullptr) {
                cairo_save(dc);
                cairo_rectangle(dc, 0, 0, platform::Width(area), platform::Height(area));
                cairo_clip(dc);
                cairo_set_source_surface(dc, buffer, -area.left, -area.top);
                cairo_paint(dc);
                cairo_restore(dc);
            }
            return 0;
        }
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            w->text = text != nullptr ? text : L"";
            if (w->sdl) {
                platform::ApplyWindowTitle(*w);
            }
            return TRUE;
        }
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            int size = static_cast<int>(wParam);
            if (buffer == nullptr || size <= 0) {
                return 0;
            }
            int n = std::min(static_cast<int>(w->text.size()), size - 1);
            std::wmemcpy(buffer, w->text.data(), static_cast<size_t>(n));
            buffer[n] = 0;
            return n;
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_SETCURSOR:
            if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT &&
                w->cls.cursor != nullptr) {
                SetCursor(w->cls.cursor);
                return TRUE;
            }
            return FALSE;
        case WM_SYSKEYDOWN:
            // Bit 29: Alt was down when the key was pressed.
            if (wParam == VK_F4 && (static_cast<std::uint32_t>(lParam) & (1u << 29)) != 0) {
                platform::Window* top = platform::TopLevelOf(w);
                PostMessage(top->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            [[fallthrough]];
        case WM_KEYDOWN:
            if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0) {
                SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), kFromKeyboard);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_APPS) {
                SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), kFromKeyboard);
            }
            return 0;
        case WM_RBUTTONUP: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &at);
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                        MAKELPARAM(at.x, at.y));
            return 0;
        }
        case WM_CONTEXTMENU:
            // A child leaves it to its parent, which learns the window from wParam.
            if (platform::IsChild(*w)) {
                return SendMessage(w->parent, WM_CONTEXTMENU, wParam, lParam);
            }
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    SendMessage(hwnd, WM_CLOSE, 0, 0);
                    break;
                case SC_MINIMIZE:
                    ShowWindow(hwnd, SW_MINIMIZE);
                    break;
                case SC_MAXIMIZE:
                    ShowWindow(hwnd, SW_MAXIMIZE);
                    break;
                case SC_RESTORE:
                    ShowWindow(hwnd, SW_RESTORE);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            return 0;
    }
}
