#pragma once

// The upgrade window ("MainWindow.xml"): it shows the release notes, runs
// the upgrade worker on a thread of its own and shows its progress, and ends
// in one of three ways: upgraded (the launcher then starts the booster),
// failed (the user is told and the home page opens), or left by the user.
// While the upgrade runs the window refuses to close, and its close button
// asks first.

#include <functional>
#include <string>

#include "ui/core/window/window_impl_base.h"

namespace vantu {

class MainWindow : public VantuUI::WindowImplBase {
  public:
    // Starts the upgrade of the package at the address for the window; the
    // upgrade reports only by posting the WM_UPGRADE_* messages to it.
    using UpgradeStarter = std::function<void(std::wstring address, HWND window)>;

    // The worker runs UpgradeWorker on a detached thread; the package must be
    // the one announced for `version`.
    MainWindow(std::wstring updateContent, std::wstring downloadUrl, std::wstring version);
    MainWindow(std::wstring updateContent, std::wstring downloadUrl, UpgradeStarter starter);

    const wchar_t* ClassName() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::wstring SkinFolder() const override;
    std::wstring SkinFile() const override;
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // Only buttons and edit boxes stay clickable in the caption band.
    bool StaysClickableInCaption(const VantuUI::CControlUI& control) const override;
    // The close button's confirmation; nothing else is acted on.
    void OnNotification(VantuUI::TNotificationUI& msg) override;

    // Set once the upgrade finished: the booster is to be started.
    bool LaunchBoosterOnExit() const { return m_launchBoosterOnExit; }

  private:
    // main_window_upgrade.cpp: the worker's messages.
    void OnUpgradeProgress(WPARAM received, LPARAM total);
    void OnUpgradeFailed(const wchar_t* text);
    void OnUpgradeDone();

    bool m_launchBoosterOnExit = false;
    int m_oemId;
    std::wstring m_updateContent;
    std::wstring m_downloadUrl;
    // A result arrived or the user confirmed leaving: the window may close.
    bool m_finished = false;
    UpgradeStarter m_starter;
};

// The product home page for the channel: "http://" + home host + "/?oemid=" + id.
std::wstring HomePageAddress(int oemId);

// What the launcher does with an upgrade answer: creates the window with
// the release notes and the package address, centres and shows it, runs the
// message loop until it is gone, and answers whether the booster is to be
// started. `version` is the announced one the package's signature must name.
bool RunUpgradeWindow(const std::wstring& updateContent, const std::wstring& downloadUrl,
                      const std::wstring& version);

}  // namespace vantu
