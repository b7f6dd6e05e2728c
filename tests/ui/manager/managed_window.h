#pragma once

// A native window on the offscreen display driven by a paint manager, and
// controls that record what reaches them.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

#include "platform/window/window_api.h"
#ifndef _WIN32
// The rich edit's cases (Linux only so far) drive the display seam directly.
#include "platform/window/display/display_seam.h"
#endif
#include "tests/platform/window/window_test_support.h"
#include "tests/support/window_input.h"
#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/horizontal_layout.h"

namespace manager_testing {

using namespace VantuUI;

inline LRESULT CALLBACK ManagedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* manager = reinterpret_cast<CWindowManagerUI*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (manager != nullptr && manager->HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

inline const wchar_t* ManagedClass() {
    static bool registered = window_testing::RegisterTestClass(L"VantuManagedTest", ManagedProc);
    EXPECT_TRUE(registered);
    return L"VantuManagedTest";
}

class ProbeControl : public CControlUI {
  public:
    explicit ProbeControl(UINT inputFlags = 0, bool* deleted = nullptr)
        : m_inputFlags(inputFlags), m_deleted(deleted) {}
    ~ProbeControl() override {
        if (m_deleted != nullptr) {
            *m_deleted = true;
        }
    }
    UINT GetInputFlags() override { return m_inputFlags; }
    void HandleEvent(TInputEventUI& event) override {
        events.push_back(event);
        CControlUI::HandleEvent(event);
    }
    bool Paint(HDC dc, const RECT& paintRect, CControlUI* stop) override {
        paints.push_back(paintRect);
        return CControlUI::Paint(dc, paintRect, stop);
    }
    int Count(InputEventKind kind) const {
        int n = 0;
        for (const auto& event : events) {
            n += event.Kind == kind ? 1 : 0;
        }
        return n;
    }

    std::vector<TInputEventUI> events;
    std::vector<RECT> paints;

  private:
    UINT m_inputFlags;
    bool* m_deleted;
};

struct NotificationLog : INotifyUI {
    void OnNotification(TNotificationUI& msg) override { seen.push_back(msg); }
    std::vector<TNotificationUI> Of(const std::wstring& type) const {
        std::vector<TNotificationUI> out;
        for (const auto& msg : seen) {
            if (msg.type == type) {
                out.push_back(msg);
            }
        }
        return out;
    }
    std::vector<TNotificationUI> seen;
};

// Queued messages through the managers first, as the message loop does.
inline void PumpManagedMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWindowManagerUI::TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

// A 200 x 120 window at (100, 50) whose root lays out three 50-pixel probes
// side by side; the last 50 pixels belong to the root only.
class ManagedWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = CreateWindowEx(0, ManagedClass(), L"managed", WS_POPUP | WS_VISIBLE, 100, 50, 200,
                                120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        manager.BindWindow(window, L"managed");
        SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&manager));
        manager.AddListener(&log);
        root = new CHorizontalLayoutUI;
        for (auto*& probe : probes) {
            probe = new ProbeControl(UIFLAG_TABSTOP);
            probe->SetFixedWidth(50);
            root->Append(probe);
        }
        manager.AttachRoot(root);
        UpdateWindow(window);
    }
    void TearDown() override {
        SetWindowLongPtr(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        test_input::RunPendingMessages();
    }
    static void Pump() { PumpManagedMessages(); }
    // Pumps until `done` holds; false after two seconds.
    static bool PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            Pump();
        }
        return true;
    }

    CWindowManagerUI manager;
    NotificationLog log;
    HWND window = nullptr;
    CHorizontalLayoutUI* root = nullptr;
    ProbeControl* probes[3]{};
};

}  // namespace manager_testing
