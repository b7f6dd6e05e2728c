#pragma once

// Windows for tests: every message is recorded, and a test may answer some
// itself. Runs on the offscreen display on Linux, on user32 on Windows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "platform/window/window_api.h"
#include "tests/support/window_input.h"

namespace window_testing {

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Seen>& Log() {
    static std::vector<Seen> log;
    return log;
}

// Answers a message instead of DefWindowProc when it returns a value.
using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline Answer& Answers() {
    static Answer answer;
    return answer;
}

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back(Seen{hwnd, message, wParam, lParam});
    if (Answers()) {
        if (auto answer = Answers()(hwnd, message, wParam, lParam)) {
            return *answer;
        }
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// A window class for tests.
inline bool RegisterTestClass(const wchar_t* name, WNDPROC proc) {
    test_input::PrepareDisplay();
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    return RegisterClass(&wc) != 0;
}

inline const wchar_t* TestClass() {
    static bool registered = RegisterTestClass(L"VantuTestWindow", RecordingProc);
    EXPECT_TRUE(registered);
    return L"VantuTestWindow";
}

inline HWND MakeTopLevel(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
                         HWND owner = nullptr) {
    return CreateWindowEx(0, TestClass(), L"test", style, x, y, w, h, owner, nullptr, nullptr,
                          nullptr);
}

inline HWND MakeChild(HWND parent, int x, int y, int w, int h) {
    return CreateWindowEx(0, TestClass(), L"child", WS_CHILD | WS_VISIBLE, x, y, w, h, parent,
                          nullptr, nullptr, nullptr);
}

inline POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Messages of one window (or all), in order.
inline std::vector<Seen> Of(HWND hwnd, UINT message = 0) {
    std::vector<Seen> out;
    for (const auto& s : Log()) {
        if ((hwnd == nullptr || s.hwnd == hwnd) && (message == 0 || s.message == message)) {
            out.push_back(s);
        }
    }
    return out;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestClass();
        Log().clear();
        Answers() = nullptr;
    }
    void TearDown() override {
        Answers() = nullptr;
        for (HWND h : made) {
            if (IsWindow(h)) {
                DestroyWindow(h);
            }
        }
        test_input::RunPendingMessages();
        Log().clear();
    }
    HWND Top(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
             HWND owner = nullptr) {
        HWND hwnd = MakeTopLevel(x, y, w, h, style, owner);
        made.push_back(hwnd);
        return hwnd;
    }
    std::vector<HWND> made;
};

}  // namespace window_testing
