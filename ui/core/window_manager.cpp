#include "ui/core/window_manager.h"

#include "ui/control/control.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

CWindowManagerUI::~CWindowManagerUI() {
    for (CControlUI* control : m_deferredDeletes) {
        delete control;
    }
}

void CWindowManagerUI::BindControls(CControlUI* control, CControlUI* parent) {
    if (control != nullptr) {
        control->AttachToManager(this, parent, true);
    }
}

bool CWindowManagerUI::RenameControl(CControlUI* control, const std::wstring& name) {
    return control != nullptr && control->GetManager() == this && !name.empty();
}

void CWindowManagerUI::ForgetControl(CControlUI* control) {
    if (m_focus == control) {
        m_focus = nullptr;
    }
}

void CWindowManagerUI::DeferDelete(CControlUI* control) {
    if (control == nullptr) {
        return;
    }
    control->AttachToManager(nullptr, nullptr, false);
    m_deferredDeletes.push_back(control);
}

void CWindowManagerUI::SetVirtualWindowsUsed(bool used) {
    m_virtualWindowsUsed = used;
}

void CWindowManagerUI::Invalidate(const RECT&) {}

void CWindowManagerUI::MarkForLayout() {}

void CWindowManagerUI::FocusControl(CControlUI* control, bool) {
    m_focus = control;
}

CControlUI* CWindowManagerUI::FocusedControl() const {
    return m_focus;
}

bool CWindowManagerUI::MoveTabFocus(bool) {
    return false;
}

void CWindowManagerUI::RaiseNotification(CControlUI*, const std::wstring&, WPARAM, LPARAM, bool,
                                         bool) {}

bool CWindowManagerUI::RequestMouseLeave(CControlUI*) {
    return true;
}

void CWindowManagerUI::CancelMouseLeave(CControlUI*) {}

bool CWindowManagerUI::AddOverlayPainter(CControlUI*) {
    return true;
}

bool CWindowManagerUI::RemoveOverlayPainter(CControlUI*) {
    return true;
}

const wchar_t* CWindowManagerUI::ClassDefaults(const std::wstring&) const {
    return nullptr;
}

int CWindowManagerUI::DefaultFontHeight() const {
    return 0;
}

const ImageInfo* CWindowManagerUI::ImageByNameOrLoad(const std::wstring& name,
                                                     const std::wstring* type, DWORD mask, bool) {
    const std::wstring key = type != nullptr ? *type + L":" + name : name;
    auto found = m_images.find(key);
    if (found != m_images.end()) {
        return found->second.get();
    }
    std::unique_ptr<ImageInfo> image = RenderEngine::LoadSkinImage(name, type, mask);
    if (image == nullptr) {
        return nullptr;
    }
    return m_images.emplace(key, std::move(image)).first->second.get();
}

const FontInfo* CWindowManagerUI::FontById(int id) {
    if (id < 0 || id >= static_cast<int>(m_fonts.size())) {
        return nullptr;
    }
    return &m_fonts[static_cast<size_t>(id)];
}

int CWindowManagerUI::AddFont(const FontInfo& font) {
    m_fonts.push_back(font);
    return static_cast<int>(m_fonts.size()) - 1;
}

void CWindowManagerUI::GetHsl(int& hue, int& saturation, int& lightness) const {
    hue = 180;
    saturation = 100;
    lightness = 100;
}

}  // namespace VantuUI
