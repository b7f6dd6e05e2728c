#pragma once

// A 300 x 100 window whose paint manager lays controls out side by side,
// driven through the offscreen display like a user would.

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/manager/managed_window.h"

namespace controls_testing {

using namespace VantuUI;
using manager_testing::NotificationLog;
namespace seam = test_input;

class ControlsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window =
            CreateWindowEx(0, manager_testing::ManagedClass(), L"controls", WS_POPUP | WS_VISIBLE,
                           100, 50, 300, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        manager.BindWindow(window, L"controls");
        SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&manager));
        manager.AddListener(&log);
        root = new CHorizontalLayoutUI;
    }
    void TearDown() override {
        SetWindowLongPtr(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        test_input::RunPendingMessages();
    }

    // A control configured by `attributes`, placed after the ones before it.
    template <class T>
    T* Add(const std::wstring& attributes) {
        auto* control = new T;
        control->ApplyAttributeString(attributes);
        root->Append(control);
        return control;
    }
    // Attaches the tree and runs the first paint.
    void Show() {
        manager.AttachRoot(root);
        UpdateWindow(window);
        Pump();
    }
    static void Pump() { manager_testing::PumpManagedMessages(); }
    // Runs the queued input, then paints what it changed.
    void Repaint() {
        Pump();
        UpdateWindow(window);
    }
    void MoveTo(int x, int y) {
        seam::MouseMove(window, x, y);
        Repaint();
    }
    void Press(int x, int y, bool down) {
        seam::MouseButton(window, test_input::Button::Left, down, x, y);
        Repaint();
    }
    void Click(int x, int y) {
        seam::MouseMove(window, x, y);
        seam::MouseButton(window, test_input::Button::Left, true, x, y);
        seam::MouseButton(window, test_input::Button::Left, false, x, y);
        Pump();
    }
    // Timers that run (stopped ones keep their record).
    int RunningTimers() const {
        int running = 0;
        for (const TTimerRecordUI& timer : manager.Timers()) {
            running += timer.killed ? 0 : 1;
        }
        return running;
    }
    int Count(const std::wstring& type) const { return static_cast<int>(log.Of(type).size()); }

    CWindowManagerUI manager;
    NotificationLog log;
    HWND window = nullptr;
    CHorizontalLayoutUI* root = nullptr;
};

}  // namespace controls_testing
