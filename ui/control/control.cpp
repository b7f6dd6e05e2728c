#include "ui/control/control.h"

#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CControlUI::CControlUI() = default;

void CControlUI::Destroy() {
    if (m_manager != nullptr) {
        m_manager->CancelMouseLeave(this);
    }
    delete this;
}

CControlUI::~CControlUI() {
    if (m_cover != nullptr) {
        m_cover->Destroy();
        m_cover = nullptr;
    }
    m_extraAttributes.Clear();
    OnDestroy(this);
    if (m_manager != nullptr) {
        m_manager->ForgetControl(this);
    }
}

std::wstring CControlUI::GetName() const {
    return m_name;
}

void CControlUI::SetName(const std::wstring& name) {
    if (name == m_name) {
        return;
    }
    m_name = name;
    if (m_manager != nullptr) {
        m_manager->RenameControl(this, name);
    }
}

std::wstring CControlUI::GetClass() const {
    return L"Control";
}

void* CControlUI::FindInterface(const std::wstring& name) {
    return name == L"Control" ? this : nullptr;
}

UINT CControlUI::GetInputFlags() {
    return 0;
}

HWND CControlUI::GetChildWindow() {
    return nullptr;
}

bool CControlUI::CanActivate() {
    return IsVisible() && IsEnabled();
}

bool CControlUI::Activate() {
    return CanActivate();
}

CWindowManagerUI* CControlUI::GetManager() const {
    return m_manager;
}

void CControlUI::AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    if (m_cover != nullptr) {
        m_cover->AttachToManager(manager, this, init);
    }
    m_manager = manager;
    m_parent = parent;
    if (init && m_parent != nullptr) {
        Init();
    }
}

CControlUI* CControlUI::GetParent() const {
    return m_parent;
}

CControlUI* CControlUI::GetCoverControl() const {
    return m_cover;
}

void CControlUI::SetCoverControl(CControlUI* control) {
    if (control == m_cover) {
        return;
    }
    if (m_cover != nullptr) {
        m_cover->Destroy();
    }
    m_cover = control;
    if (m_cover == nullptr) {
        return;
    }
    if (m_manager != nullptr) {
        m_manager->BindControls(m_cover, this);
    } else {
        // Without a window the cover still needs to know whom it covers.
        m_cover->AttachToManager(nullptr, this, false);
    }
    if (IsVisible()) {
        RequestLayout();
    } else {
        m_cover->SetParentVisible(false);
    }
}

std::wstring CControlUI::GetText() const {
    return m_text;
}

void CControlUI::SetText(const std::wstring& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    Invalidate();
}

std::wstring CControlUI::GetToolTip() const {
    return m_toolTip;
}

void CControlUI::SetToolTip(const std::wstring& text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, L"<n>") == 0) {
            result += L"\r\n";
            i += 2;
        } else {
            result += text[i];
        }
    }
    m_toolTip = result;
}

void CControlUI::SetToolTipMaxWidth(int width) {
    m_toolTipWidth = width;
}

int CControlUI::GetToolTipMaxWidth() const {
    return m_toolTipWidth;
}

wchar_t CControlUI::GetShortcut() const {
    return m_shortcut;
}

void CControlUI::SetShortcut(wchar_t ch) {
    m_shortcut = ch;
}

bool CControlUI::WantsContextMenu() const {
    return m_wantsContextMenu;
}

void CControlUI::SetWantsContextMenu(bool wants) {
    m_wantsContextMenu = wants;
}

std::wstring CControlUI::GetUserData() const {
    return m_userData;
}

void CControlUI::SetUserData(const std::wstring& text) {
    m_userData = text;
}

std::uintptr_t CControlUI::GetTag() const {
    return m_tag;
}

void CControlUI::SetTag(std::uintptr_t tag) {
    m_tag = tag;
}

bool CControlUI::IsEnabled() const {
    return m_enabled;
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_enabled == enabled) {
        return;
    }
    m_enabled = enabled;
    Invalidate();
}

bool CControlUI::AcceptsMouse() const {
    return m_mouseEnabled;
}

void CControlUI::SetAcceptsMouse(bool enabled) {
    m_mouseEnabled = enabled;
}

bool CControlUI::AcceptsKeyboard() const {
    return m_keyboardEnabled;
}

void CControlUI::SetAcceptsKeyboard(bool enabled) {
    m_keyboardEnabled = enabled;
}

bool CControlUI::IsFocused() const {
    return m_focused;
}

void CControlUI::SetFocus() {
    if (m_manager != nullptr) {
        m_manager->FocusControl(this, false);
    }
}

void CControlUI::Init() {
    InitHook();
    OnInit(this);
}

void CControlUI::InitHook() {}

std::wstring CControlUI::GetAttribute(const std::wstring&) {
    return std::wstring();
}

std::wstring CControlUI::GetAttributeList(bool) {
    return std::wstring();
}

SIZE CControlUI::GetDesiredSize(SIZE) {
    return m_fixedSize;
}

std::wstring CControlUI::GetVirtualWindowName() const {
    if (!m_virtualWindow.empty()) {
        return m_virtualWindow;
    }
    if (m_parent != nullptr) {
        return m_parent->GetVirtualWindowName();
    }
    return std::wstring();
}

void CControlUI::SetVirtualWindowName(const std::wstring& name) {
    m_virtualWindow = name;
    if (m_manager != nullptr) {
        m_manager->SetVirtualWindowsUsed(true);
    }
}

void CControlUI::StoreExtraAttribute(const std::wstring& name, const std::wstring& value) {
    if (name.empty() || value.empty()) {
        return;
    }
    m_extraAttributes.Insert(name, value);
}

const wchar_t* CControlUI::ExtraAttribute(const std::wstring& name) const {
    const std::wstring* value = m_extraAttributes.Find(name);
    return value != nullptr ? value->c_str() : nullptr;
}

}  // namespace VantuUI
