#pragma once

// A skinned test window: the skin (file name or XML text) and its source are
// given; every WM_CLOSE's result is recorded. Plus the message pump of a product
// loop (the paint manager's translation first).

#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/main_window_skin.h"
#include "tests/platform/window/window_test_support.h"
#include "ui/control/control.h"
#include "ui/core/window/window_impl_base.h"

namespace ui_testing {

class SkinnedTestWindow : public VantuUI::WindowImplBase {
  public:
    explicit SkinnedTestWindow(std::wstring skin,
                               VantuUI::SkinResourceType source = VantuUI::SkinResourceType::File,
                               std::wstring archive = {})
        : m_skin(std::move(skin)), m_source(source), m_archive(std::move(archive)) {}

    const wchar_t* ClassName() const override { return L"VantuSkinnedTestWindow"; }
    std::wstring SkinFolder() const override { return {}; }
    std::wstring SkinFile() const override { return m_skin; }
    VantuUI::SkinResourceType SkinSource() const override { return m_source; }
    std::wstring SkinArchiveFile() const override { return m_archive; }
    LRESULT OnClose(UINT, WPARAM wParam, LPARAM, bool& handled) override {
        closeResults.push_back(wParam);
        handled = false;
        return 0;
    }

    // Creates and shows the window, then runs its messages (first paint).
    HWND Open() {
        HWND hwnd = Create(nullptr, L"skinned", WS_POPUP, 0, 0, 0, 0, 0);
        if (hwnd != nullptr) {
            Show(true, true);
        }
        return hwnd;
    }

    std::vector<WPARAM> closeResults;

  private:
    std::wstring m_skin;
    VantuUI::SkinResourceType m_source;
    std::wstring m_archive;
};

// Runs the thread's messages as the product's loop does, until none is left.
inline void PumpLikeTheProduct() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!VantuUI::CWindowManagerUI::TranslateWindowMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

using bench_support::WriteSolidPng;

}  // namespace ui_testing
