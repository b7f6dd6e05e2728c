// The upgrade window's side of the worker: progress, the two failures with
// the home page, and the finished upgrade.

#include "launcher/windows/main_window.h"
#include "launcher/windows/upgrade_progress.h"
#include "launcher/windows/vantu_message_box.h"
#include "platform/shell/shell_execute.h"
#include "platform/text/text_codec.h"
#include "ui/control/control.h"
#include "update/build_settings.h"

namespace vantu {

std::wstring HomePageAddress(int oemId) {
    return L"http://" + platform::DecodeUtf8(Settings().homePageHost).value_or(L"") + L"/?oemid=" +
           std::to_wstring(oemId);
}

void MainWindow::OnUpgradeProgress(WPARAM received, LPARAM total) {
    const std::optional<int> percent = ProgressPercent(received, total);
    if (!percent) {
        return;
    }
    if (VantuUI::CControlUI* label = m_manager.ControlByName(L"UpdateState_Label")) {
        label->SetText(ProgressText(*percent));
    }
    if (VantuUI::CControlUI* bar = m_manager.ControlByName(L"Progress_Label")) {
        bar->SetFixedWidth(*percent * kProgressPixelsPerPercent);
    }
}

void MainWindow::OnUpgradeFailed(const wchar_t* text) {
    // One result per window: after the user left, a late one is not shown.
    if (m_finished) {
        return;
    }
    m_finished = true;
    ShowVantuMessageBox(m_hwnd, false, L"", text);
    ShellExecute(nullptr, L"open", HomePageAddress(m_oemId).c_str(), nullptr, nullptr,
                 SW_SHOWNORMAL);
    Close(1);
}

void MainWindow::OnUpgradeDone() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_launchBoosterOnExit = true;
    Close(1);
}

}  // namespace vantu
