// vantu_clipboard_probe set TEXT: copies TEXT, says "set", and keeps its
// message loop running (which answers other programs' pastes) for 20 seconds.
// vantu_clipboard_probe get: prints the clipboard's text and ends (exit code
// 2 when there is none).

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/shell/clipboard.h"
#include "platform/text/text_codec.h"
#include "platform/window/window_system.h"

namespace {

LRESULT ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    bool set = argc == 3 && std::strcmp(argv[1], "set") == 0;
    bool get = argc == 2 && std::strcmp(argv[1], "get") == 0;
    if (!set && !get) {
        std::fprintf(stderr, "usage: vantu_clipboard_probe set TEXT | get\n");
        return 1;
    }
    WNDCLASS wc;
    wc.lpfnWndProc = ProbeProc;
    wc.lpszClassName = L"VantuClipboardProbe";
    RegisterClass(&wc);
    // The clipboard belongs to the display, which starts with a first window.
    HWND hwnd = CreateWindowEx(0, L"VantuClipboardProbe", L"clipboard", WS_POPUP, 0, 0, 10, 10,
                               nullptr, nullptr, nullptr, nullptr);
    if (hwnd == nullptr) {
        std::fprintf(stderr, "no window\n");
        return 1;
    }
    if (get) {
        auto text = platform::GetClipboardText();
        if (!text) {
            return 2;
        }
        std::fputs(platform::EncodeUtf8(*text).c_str(), stdout);
        return 0;
    }
    auto text = platform::DecodeUtf8(argv[2]);
    if (!text || !platform::SetClipboardText(*text)) {
        std::fprintf(stderr, "could not copy\n");
        return 1;
    }
    std::printf("set\n");
    std::fflush(stdout);
    SetTimer(hwnd, 1, 20000, nullptr);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        DispatchMessage(&msg);
    }
    return 0;
}
