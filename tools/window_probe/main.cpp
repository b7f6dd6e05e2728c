// Shows one window with a caption band (dragged through the hit test), a body
// and a child window in known colours, and reports on standard output:
// "ready X Y" once painted and "moved X Y" after each move. Ends on close or
// after the number of seconds given as its first argument (default 30). With
// "x-error" as its second argument, once painted it meets an X protocol
// error and then says "went on after an X error".

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/window/window_system.h"
#include "tools/probe_window.h"
#include "tools/window_probe/x_error.h"

namespace {

constexpr int kCaption = 30;

void Fill(HWND hwnd, double r, double g, double b) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    cairo_set_source_rgb(dc, r, g, b);
    cairo_paint(dc);
    EndPaint(hwnd, &ps);
}

LRESULT ChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Fill(hwnd, 0x22 / 255.0, 0xAA / 255.0, 0x44 / 255.0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

bool g_ready = false;
bool g_meetXError = false;

LRESULT MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            cairo_set_source_rgb(dc, 0xEE / 255.0, 0x88 / 255.0, 0x22 / 255.0);
            cairo_paint(dc);
            cairo_set_source_rgb(dc, 0x33 / 255.0, 0x66 / 255.0, 0xCC / 255.0);
            cairo_rectangle(dc, 0, 0, 10000, kCaption);
            cairo_fill(dc);
            EndPaint(hwnd, &ps);
            if (!g_ready) {
                g_ready = true;
                RECT r;
                GetWindowRect(hwnd, &r);
                std::printf("ready %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top));
                std::fflush(stdout);
                if (g_meetXError && SendToAGoneWindow()) {
                    std::printf("went on after an X error\n");
                    std::fflush(stdout);
                }
            }
            return 0;
        }
        case WM_NCHITTEST: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd, &p);
            return p.y < kCaption ? HTCAPTION : HTCLIENT;
        }
        case WM_MOVE:
            if (g_ready) {
                std::printf("moved %d %d\n", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                std::fflush(stdout);
            }
            return 0;
        case WM_APP + 7:  // from another program, through the display
            std::printf("foreign %d %d\n", static_cast<int>(wParam), static_cast<int>(lParam));
            std::fflush(stdout);
            return static_cast<LRESULT>(wParam + lParam);
        default:
            return ProbeDefaultProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    g_meetXError = argc > 2 && std::string(argv[2]) == "x-error";
    WNDCLASS wc;
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = L"VantuProbeWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
    WNDCLASS child;
    child.lpfnWndProc = ChildProc;
    child.lpszClassName = L"VantuProbeChild";
    RegisterClass(&child);
    HWND hwnd = CreateWindowEx(0, L"VantuProbeWindow", L"Vantu探针窗口", WS_POPUP, 100, 100, 300,
                               200, nullptr, nullptr, nullptr, nullptr);
    if (hwnd == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    CreateWindowEx(0, L"VantuProbeChild", L"", WS_CHILD | WS_VISIBLE, 60, 60, 100, 60, hwnd,
                   nullptr, nullptr, nullptr);
    SetWindowRgn(hwnd, CreateRoundRectRgn(0, 0, 301, 201, 8, 8), FALSE);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetTimer(hwnd, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return 0;
}
