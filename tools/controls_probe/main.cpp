// Shows a window with a focused edit holding Chinese text (part of it
// selected) and a date picker with its month calendar open, writes their back
// buffers as edit.png and calendar.png into the folder given as the first
// argument, prints "ready <window id> <calendar window id>" and ends after the
// number of seconds given as the second argument (default 30).

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/window/window_system.h"
#include "tools/probe_window.h"

namespace {

LRESULT MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            cairo_set_source_rgb(dc, 0.93, 0.93, 0.93);
            cairo_paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return ProbeDefaultProc(hwnd, message, wParam, lParam);
    }
}

// Runs the messages there are, painting included.
void Settle() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantu_controls_probe FOLDER [SECONDS]\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    WNDCLASS wc;
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = L"VantuControlsProbe";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
    HWND top = CreateWindowEx(0, L"VantuControlsProbe", L"Vantu控件", WS_POPUP, 100, 100, 320, 120,
                              nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowEx(0, WC_EDIT, L"Vantu加速器 中文输入：升级完成",
                               WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 20, 20, 280, 24, top,
                               nullptr, nullptr, nullptr);
    HWND picker =
        CreateWindowEx(0, DATETIMEPICK_CLASS, nullptr, WS_CHILD | WS_VISIBLE | DTS_SHOWNONE, 20, 60,
                       160, 24, top, nullptr, nullptr, nullptr);
    if (top == nullptr || edit == nullptr || picker == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    ShowWindow(top, SW_SHOWNORMAL);
    SYSTEMTIME date{2024, 3, 0, 15};
    SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 9, 13);
    Settle();
    bool written = platform::WriteWindowPng(top, folder / "edit.png");
    SendMessage(picker, WM_KEYDOWN, VK_F4, 0);
    auto calendar = reinterpret_cast<HWND>(SendMessage(picker, DTM_GETMONTHCAL, 0, 0));
    Settle();
    written = written && calendar != nullptr &&
              platform::WriteWindowPng(calendar, folder / "calendar.png");
    if (!written) {
        std::fprintf(stderr, "no screenshot\n");
        return 1;
    }
    std::printf("ready %lu %lu\n", platform::NativeWindowId(top),
                platform::NativeWindowId(calendar));
    std::fflush(stdout);
    SetTimer(top, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    DestroyWindow(top);
    return 0;
}
