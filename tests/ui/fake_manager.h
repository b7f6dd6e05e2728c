#pragma once

// A paint manager that records what controls ask of it.

#include <string>
#include <vector>

#include "ui/core/manager/window_manager.h"

namespace ui_testing {

class RecordingManager : public VantuUI::CWindowManagerUI {
  public:
    struct Notification {
        VantuUI::CControlUI* sender;
        std::wstring type;
        WPARAM wParam;
        LPARAM lParam;
    };

    void Invalidate(const RECT& rect) override { invalidated.push_back(rect); }
    void MarkForLayout() override { ++layoutMarks; }
    void RaiseNotification(VantuUI::CControlUI* sender, const std::wstring& type, WPARAM wParam,
                           LPARAM lParam, bool, bool) override {
        notifications.push_back({sender, type, wParam, lParam});
    }
    void FocusControl(VantuUI::CControlUI* control, bool focusWindow) override {
        CWindowManagerUI::FocusControl(control, focusWindow);
        focusCalls.push_back(control);
    }

    std::vector<RECT> invalidated;
    int layoutMarks = 0;
    std::vector<Notification> notifications;
    std::vector<VantuUI::CControlUI*> focusCalls;
};

}  // namespace ui_testing
