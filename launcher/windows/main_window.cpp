// The upgrade window's message dispatch, creation, closing rules and frame.

#include "launcher/windows/main_window.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "launcher/windows/launcher_window_style.h"
#include "launcher/windows/vantu_message_box.h"
#include "ui/control/control.h"
#include "update/build_settings.h"
#include "update/upgrade_messages.h"
#include "update/upgrade_worker.h"

namespace vantu {

namespace {

void StartUpgradeThread(std::wstring address, std::wstring version, HWND window) {
    // A worker that cannot start would leave the window waiting for good:
    // report it as the download it could not make.
    try {
        std::thread(UpgradeWorker, std::move(address), std::move(version), window).detach();
    } catch (const std::system_error&) {
        PostMessage(window, WM_UPGRADE_DOWNLOAD_FAILED, 0, 0);
    }
}

}  // namespace

MainWindow::MainWindow(std::wstring updateContent, std::wstring downloadUrl, std::wstring version)
    : MainWindow(std::move(updateContent), std::move(downloadUrl),
                 [version = std::move(version)](std::wstring address, HWND window) {
                     StartUpgradeThread(std::move(address), version, window);
                 }) {}

MainWindow::MainWindow(std::wstring updateContent, std::wstring downloadUrl, UpgradeStarter starter)
    : m_oemId(Settings().oemId),
      m_updateContent(std::move(updateContent)),
      m_downloadUrl(std::move(downloadUrl)),
      m_starter(std::move(starter)) {}

const wchar_t* MainWindow::ClassName() const {
    return L"MainWindow";
}

std::wstring MainWindow::SkinFolder() const {
    return {};
}

std::wstring MainWindow::SkinFile() const {
    return L"MainWindow.xml";
}

LRESULT MainWindow::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    LRESULT result = 0;
    switch (message) {
        case WM_CREATE:
            result = OnCreate(message, wParam, lParam, handled);
            break;
        case WM_DESTROY:
            result = OnDestroy(message, wParam, lParam, handled);
            break;
        case WM_SIZE:
            // The size is the skin's for good; nothing to follow.
            return 0;
        case WM_CLOSE:
            result = OnClose(message, wParam, lParam, handled);
            break;
        case WM_NCCALCSIZE:
            result = OnNcCalcSize(message, wParam, lParam, handled);
            break;
        case WM_NCHITTEST:
            result = OnNcHitTest(message, wParam, lParam, handled);
            break;
        case WM_NCPAINT:
            result = OnNcPaint(message, wParam, lParam, handled);
            break;
        case WM_NCACTIVATE:
            result = OnNcActivate(message, wParam, lParam, handled);
            break;
        case WM_NCLBUTTONDBLCLK:
            // A double click on the caption does not maximise.
            return 0;
        case WM_UPGRADE_PROGRESS:
            OnUpgradeProgress(wParam, lParam);
            return 0;
        case WM_UPGRADE_DOWNLOAD_FAILED:
            OnUpgradeFailed(L"下载失败，请手动下载安装最新版本Vantu加速器！");
            return 0;
        case WM_UPGRADE_EXTRACT_FAILED:
            OnUpgradeFailed(L"解压缩失败，请手动下载安装最新版本Vantu加速器！");
            return 0;
        case WM_UPGRADE_DONE:
            OnUpgradeDone();
            return 0;
        default:
            handled = false;
            break;
    }
    if (handled) {
        return result;
    }
    if (m_manager.HandleWindowMessage(message, wParam, lParam, result)) {
        return result;
    }
    return CWindowWnd::ProcessMessage(message, wParam, lParam);
}

LRESULT MainWindow::OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    const LRESULT result = WindowImplBase::OnCreate(message, wParam, lParam, handled);
    // The server separates the lines of the release notes with "|".
    std::replace(m_updateContent.begin(), m_updateContent.end(), L'|', L'\n');
    if (VantuUI::CControlUI* notes = m_manager.ControlByName(L"Msg_RichEdit")) {
        notes->SetText(m_updateContent);
    }
    m_starter(m_downloadUrl, m_hwnd);
    return result;
}

LRESULT MainWindow::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
    // While the upgrade runs every close request is consumed.
    handled = !m_finished;
    return 0;
}

LRESULT MainWindow::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    PostQuitMessage(0);
    handled = false;
    return 0;
}

LRESULT MainWindow::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled) {
    if (IsIconic(m_hwnd)) {
        handled = false;
    }
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT MainWindow::OnNcCalcSize(UINT, WPARAM, LPARAM, bool&) {
    // The whole window is client area, maximised or not.
    return 0;
}

bool MainWindow::StaysClickableInCaption(const VantuUI::CControlUI& control) const {
    const std::wstring cls = control.GetClass();
    return cls == L"Button" || cls == L"Edit";
}

void MainWindow::OnNotification(VantuUI::TNotificationUI& msg) {
    if (m_finished || msg.type != L"click" || msg.sender == nullptr ||
        msg.sender->GetName() != L"MainWindow_Close_Btn") {
        return;
    }
    if (ShowVantuMessageBox(m_hwnd, false, L"提示", L"升级尚未完成，确定退出？")) {
        m_finished = true;
        Close(1);
    }
}

bool RunUpgradeWindow(const std::wstring& updateContent, const std::wstring& downloadUrl,
                      const std::wstring& version) {
    MainWindow window(updateContent, downloadUrl, version);
    if (window.Create(nullptr, L"Vantu Game Booster Upgrade Version", kLauncherWindowStyle,
                      kLauncherWindowExStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT) == nullptr) {
        return false;
    }
    HWND hwnd = window.Handle();
    SetWindowLong(hwnd, GWL_STYLE,
                  GetWindowLong(hwnd, GWL_STYLE) & ~static_cast<LONG>(WS_THICKFRAME));
    window.CenterOnOwner();
    window.Show(true, true);
    VantuUI::CWindowManagerUI::RunMessageLoop();
    return window.LaunchBoosterOnExit();
}

}  // namespace vantu
