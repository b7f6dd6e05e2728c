// Minimal bodies while the window side is filled in.

#include "platform/window/window_system.h"
#include "ui/control/control.h"
#include "ui/core/manager/window_manager.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

struct CWindowManagerUI::OffscreenBuffers {};

CWindowManagerUI::CWindowManagerUI() = default;

CWindowManagerUI::~CWindowManagerUI() {
    for (CControlUI* control : m_deferredDeletes) {
        delete control;
    }
}

void CWindowManagerUI::BindWindow(HWND window, const std::wstring& name) {
    m_window = window;
    m_name = name;
}

bool CWindowManagerUI::AttachRoot(CControlUI* root) {
    m_root = root;
    BindControls(root, nullptr);
    return true;
}

void CWindowManagerUI::BindControls(CControlUI* control, CControlUI* parent) {
    if (control != nullptr) {
        control->AttachToManager(this, parent, true);
    }
}

CControlUI* CWindowManagerUI::ControlByName(const std::wstring& name) const {
    CControlUI* const* found = m_names.Find(name);
    return found != nullptr ? *found : nullptr;
}

CControlUI* CWindowManagerUI::ControlAtPoint(POINT) const {
    return nullptr;
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

bool CWindowManagerUI::HandleWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}
bool CWindowManagerUI::PreTranslate(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}
bool CWindowManagerUI::TranslateWindowMessage(MSG*) {
    return false;
}
int CWindowManagerUI::RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}
bool CWindowManagerUI::AddPreFilter(IMessageFilterUI*) {
    return true;
}
bool CWindowManagerUI::RemovePreFilter(IMessageFilterUI*) {
    return true;
}
bool CWindowManagerUI::AddMessageHook(IMessageFilterUI*) {
    return true;
}
bool CWindowManagerUI::RemoveMessageHook(IMessageFilterUI*) {
    return true;
}
bool CWindowManagerUI::AddAcceleratorHandler(ITranslateAccelerator*) {
    return true;
}
bool CWindowManagerUI::RemoveAcceleratorHandler(ITranslateAccelerator*) {
    return true;
}
bool CWindowManagerUI::RegisterChildWindow(CControlUI*, HWND) {
    return true;
}
bool CWindowManagerUI::UnregisterChildWindow(HWND) {
    return true;
}

void CWindowManagerUI::FocusControl(CControlUI* control, bool) {
    m_focus = control;
}
CControlUI* CWindowManagerUI::FocusedControl() const {
    return m_focus;
}
void CWindowManagerUI::FocusFirstTabStop() {}
bool CWindowManagerUI::MoveTabFocus(bool) {
    return false;
}
void CWindowManagerUI::CaptureMouse() {}
void CWindowManagerUI::ReleaseMouse() {}

bool CWindowManagerUI::RequestMouseLeave(CControlUI*) {
    return true;
}
void CWindowManagerUI::CancelMouseLeave(CControlUI*) {}

void CWindowManagerUI::Invalidate() {}
void CWindowManagerUI::Invalidate(const RECT&) {}
void CWindowManagerUI::MarkForLayout() {}
bool CWindowManagerUI::AddOverlayPainter(CControlUI*) {
    return true;
}
bool CWindowManagerUI::RemoveOverlayPainter(CControlUI*) {
    return true;
}
void CWindowManagerUI::SetPerPixelLayered(bool layered) {
    m_layered = layered;
}
void CWindowManagerUI::SetOpacity(BYTE opacity) {
    m_opacity = opacity;
}
void CWindowManagerUI::SetLayeredOpacity(BYTE opacity) {
    m_layeredOpacity = opacity;
}
void CWindowManagerUI::SetLayeredImage(const std::wstring& spec) {
    m_layeredImage.spec = spec;
}
void CWindowManagerUI::PaintTree(HDC, const RECT&, const void*) {}
HBITMAP CWindowManagerUI::OffscreenBitmap() {
    return nullptr;
}

bool CWindowManagerUI::StartTimer(CControlUI*, UINT, UINT) {
    return false;
}
bool CWindowManagerUI::StopTimer(CControlUI*, UINT) {
    return false;
}
void CWindowManagerUI::StopTimer(CControlUI*) {}
void CWindowManagerUI::StopAllTimers() {}

bool CWindowManagerUI::AddListener(INotifyUI*) {
    return true;
}
bool CWindowManagerUI::RemoveListener(INotifyUI*) {
    return true;
}
void CWindowManagerUI::RaiseNotification(CControlUI*, const std::wstring&, WPARAM, LPARAM, bool,
                                         bool) {}
void CWindowManagerUI::RaiseNotification(TNotificationUI&, bool, bool) {}

void CWindowManagerUI::SetInitialSize(int cx, int cy) {
    m_initialSize = SIZE{cx, cy};
}
void CWindowManagerUI::ApplyWindowAttribute(const std::wstring&, const std::wstring&) {}

const FontInfo* CWindowManagerUI::RegisterFont(int, const std::wstring&, int, bool, bool, bool,
                                               bool) {
    return nullptr;
}
bool CWindowManagerUI::SetWindowDefaultFont(const std::wstring&, int, bool, bool, bool, bool) {
    return false;
}
const FontInfo* CWindowManagerUI::DefaultFont() {
    return &m_defaultFont.font;
}
const FontInfo* CWindowManagerUI::FontById(int id) {
    TFontRecordUI* found = m_fonts.Find(std::to_wstring(id));
    return found != nullptr ? &found->font : nullptr;
}
int CWindowManagerUI::FontHeight(int) {
    return 0;
}
int CWindowManagerUI::FindFont(const std::wstring&, int, bool, bool, bool) const {
    return -1;
}
int CWindowManagerUI::FindFont(const FontInfo&) {
    return -1;
}
int CWindowManagerUI::AddFont(const FontInfo& font) {
    const int id = m_nextTagFontId++;
    m_fonts.Set(std::to_wstring(id), TFontRecordUI{font, 0});
    return id;
}
int CWindowManagerUI::DefaultFontHeight() const {
    return 0;
}

const ImageInfo* CWindowManagerUI::RegisterImage(const std::wstring&, const std::wstring*, DWORD,
                                                 bool, bool) {
    return nullptr;
}
const ImageInfo* CWindowManagerUI::ImageByName(const std::wstring& name) const {
    const std::unique_ptr<ImageInfo>* found = m_images.Find(name);
    return found != nullptr ? found->get() : nullptr;
}
const ImageInfo* CWindowManagerUI::ImageByNameOrLoad(const std::wstring& name,
                                                     const std::wstring* type, DWORD mask, bool) {
    if (const ImageInfo* found = ImageByName(name)) {
        return found;
    }
    std::unique_ptr<ImageInfo> image = RenderEngine::LoadSkinImage(name, type, mask);
    if (image == nullptr) {
        return nullptr;
    }
    const ImageInfo* stored = image.get();
    m_images.Set(name, std::move(image));
    return stored;
}
bool CWindowManagerUI::RemoveImage(const std::wstring& name) {
    return m_images.Remove(name);
}
void CWindowManagerUI::RemoveAllImages() {
    m_images.Clear();
}
void CWindowManagerUI::GetHsl(int& hue, int& saturation, int& lightness) const {
    hue = 180;
    saturation = 100;
    lightness = 100;
}

void CWindowManagerUI::SetClassDefaults(const std::wstring&, const std::wstring&, bool) {}
const wchar_t* CWindowManagerUI::ClassDefaults(const std::wstring&) const {
    return nullptr;
}
void CWindowManagerUI::RemoveAllClassDefaults() {}
bool CWindowManagerUI::JoinOptionGroup(const std::wstring&, CControlUI*) {
    return false;
}
const std::vector<CControlUI*>* CWindowManagerUI::OptionGroupMembers(const std::wstring&) const {
    return nullptr;
}
void CWindowManagerUI::LeaveOptionGroup(const std::wstring&, CControlUI*) {}
void CWindowManagerUI::RemoveAllOptionGroups() {}
void CWindowManagerUI::SetCustomAttribute(const std::wstring&, const std::wstring&) {}
const wchar_t* CWindowManagerUI::CustomAttribute(const std::wstring&) const {
    return nullptr;
}
bool CWindowManagerUI::RemoveCustomAttribute(const std::wstring&) {
    return false;
}
void CWindowManagerUI::RemoveAllCustomAttributes() {}
void CWindowManagerUI::SetDisabledTextColor(DWORD color, bool) {
    m_colors.disabledText = color;
}
void CWindowManagerUI::SetDefaultTextColor(DWORD color, bool) {
    m_colors.text = color;
}
void CWindowManagerUI::SetLinkColor(DWORD color, bool) {
    m_colors.link = color;
}
void CWindowManagerUI::SetLinkHoverColor(DWORD color, bool) {
    m_colors.linkHover = color;
}
void CWindowManagerUI::SetSelectedBackColor(DWORD color, bool) {
    m_colors.selectedBack = color;
}

std::wstring CWindowManagerUI::ExpandTokens(const std::wstring& text) {
    return text;
}
void CWindowManagerUI::SetNumberedString(int, const std::wstring&) {}
const std::wstring* CWindowManagerUI::NumberedString(int) {
    return nullptr;
}
void CWindowManagerUI::RemoveAllNumberedStrings() {}

const std::vector<CWindowManagerUI*>& CWindowManagerUI::LiveManagers() {
    static const std::vector<CWindowManagerUI*> kNone;
    return kNone;
}

}  // namespace VantuUI
