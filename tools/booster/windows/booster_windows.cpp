#include "tools/booster/booster_windows.h"

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

namespace booster {

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 180;
constexpr wchar_t kTitle[] = L"VantuSpeedUp";

struct BoosterWindow {
    std::wstring className;
    HWND window = nullptr;
    int nullMessages = 0;
};

struct State {
    const WindowOptions* options = nullptr;
    std::vector<BoosterWindow> windows;
};

State g_state;

BoosterWindow* Find(HWND window) {
    for (auto& w : g_state.windows) {
        if (w.window == window) {
            return &w;
        }
    }
    return nullptr;
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

void Paint(HWND window, const BoosterWindow& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const bool upgrade = w.className != L"MainWindow";
    HBRUSH background = CreateSolidBrush(upgrade ? RGB(26, 77, 41) : RGB(20, 41, 87));
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, background);
    DeleteObject(background);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring lines[] = {
        L"VantuSpeedUp " + Wide(g_state.options->version) + L" (" + w.className + L")",
        L"command line: " + Wide(g_state.options->commandLine),
        L"message 0 received: " + std::to_wstring(w.nullMessages),
    };
    int y = 24;
    for (const auto& line : lines) {
        TextOutW(dc, 20, y, line.c_str(), static_cast<int>(line.size()));
        y += 36;
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BoosterWindow* w = Find(window);
    if (w != nullptr) {
        switch (message) {
            case WM_NULL:
                // A launcher's sign that it found the booster running.
                ++w->nullMessages;
                std::cout << "message 0 to "
                          << std::string(w->className.begin(), w->className.end()) << " ("
                          << w->nullMessages << ")" << std::endl;
                InvalidateRect(window, nullptr, TRUE);
                return 0;
            case WM_PAINT:
                Paint(window, *w);
                return 0;
            case WM_DESTROY:
                w->window = nullptr;
                if (w->className == L"MainWindow") {
                    PostQuitMessage(0);
                }
                return 0;
            default:
                break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Open(BoosterWindow& w, int x, int y) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = w.className.c_str();
    if (RegisterClassW(&windowClass) == 0) {
        std::cerr << "cannot register the window class: " << GetLastError() << std::endl;
        return false;
    }
    // Registered before the window exists, so that its first messages find it.
    w.window = CreateWindowExW(0, w.className.c_str(), kTitle, WS_OVERLAPPEDWINDOW, x, y, kWidth,
                               kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (w.window == nullptr) {
        std::cerr << "cannot open a window: " << GetLastError() << std::endl;
        return false;
    }
    ShowWindow(w.window, SW_SHOWNORMAL);
    UpdateWindow(w.window);
    return true;
}

}  // namespace

bool CanShowWindows() {
    return true;
}

bool RunWindows(const WindowOptions& options) {
    g_state.options = &options;
    g_state.windows.push_back({L"MainWindow", nullptr, 0});
    if (options.upgradeWindow) {
        g_state.windows.push_back({L"UpgradeWindow", nullptr, 0});
    }
    int y = 80;
    for (auto& w : g_state.windows) {
        if (!Open(w, 80, y)) {
            return false;
        }
        y += kHeight + 40;
    }
    std::cout << "ready" << std::endl;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace booster
