#include "launcher/windows/vantu_message_box.h"

#include "launcher/message_box_text.h"
#include "launcher/windows/launcher_window_style.h"
#include "platform/window/can_show_windows.h"
#include "ui/control/control.h"

namespace vantu {

namespace {

constexpr const wchar_t* kSkinTitle = L"提示";

void SetControlText(VantuUI::CWindowManagerUI& manager, const wchar_t* name,
                    const std::wstring& text) {
    if (VantuUI::CControlUI* control = manager.ControlByName(name)) {
        control->SetText(text);
    }
}

}  // namespace

VantuMessageBox::VantuMessageBox(std::wstring title, std::wstring content, int okOnly)
    : m_title(std::move(title)), m_content(std::move(content)), m_okOnly(okOnly) {}

const wchar_t* VantuMessageBox::ClassName() const {
    return L"MessageBox";
}

LRESULT VantuMessageBox::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = WindowImplBase::ProcessMessage(message, wParam, lParam);
    if (message == WM_CREATE) {
        FillControls();
    }
    return result;
}

std::wstring VantuMessageBox::SkinFolder() const {
    return {};
}

std::wstring VantuMessageBox::SkinFile() const {
    return L"MessageBox.xml";
}

void VantuMessageBox::FillControls() {
    if (!m_title.empty()) {
        SetControlText(m_manager, L"Title_Label", m_title);
    }
    SetControlText(m_manager, L"Content_Label", m_content);
    if (m_okOnly == 1) {
        if (VantuUI::CControlUI* cancel = m_manager.ControlByName(L"Cancel_Btn")) {
            cancel->SetVisible(false);
        }
    }
}

void VantuMessageBox::OnNotification(VantuUI::TNotificationUI& msg) {
    if (msg.type != L"click" || msg.sender == nullptr) {
        return;
    }
    const std::wstring name = msg.sender->GetName();
    if (name == L"MessageBox_Close_Btn") {
        Close(1);
    } else if (name == L"OK_Btn") {
        m_okPressed = true;
        Close(1);
    } else if (name == L"Cancel_Btn") {
        m_okPressed = false;
        Close(1);
    }
}

bool ShowVantuMessageBox(HWND parent, bool okOnly, const std::wstring& title,
                         const std::wstring& content) {
    // Also the caption, which the taskbar and the window switcher name the box by.
    const std::wstring caption = title.empty() ? kSkinTitle : title;
    if (!platform::CanShowWindows()) {
        WriteMessageBoxText(caption, content);
        return true;
    }
    VantuMessageBox box(title, content, okOnly ? 1 : 0);
    if (box.Create(parent, caption.c_str(), kLauncherWindowStyle, kLauncherWindowExStyle,
                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT) == nullptr) {
        return false;
    }
    box.CenterOnOwner();
    box.RunModal();
    return box.OkPressed();
}

}  // namespace vantu
