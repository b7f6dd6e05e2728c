#pragma once

// The paint manager as controls see it: the calls a control makes on the
// window it belongs to. The window side (messages, painting, resources) is
// built on top of this class; until then these operations keep only the
// little state controls rely on.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "ui/render/render_types.h"

namespace VantuUI {

class CControlUI;

class CWindowManagerUI : public IRenderHostUI {
  public:
    CWindowManagerUI() = default;
    CWindowManagerUI(const CWindowManagerUI&) = delete;
    CWindowManagerUI& operator=(const CWindowManagerUI&) = delete;
    ~CWindowManagerUI() override;

    // Attaches a subtree with initialisation and registers its names.
    virtual void BindControls(CControlUI* control, CControlUI* parent);
    virtual bool RenameControl(CControlUI* control, const std::wstring& name);
    // The control is being deleted: it must not stay focused, hovered, ...
    virtual void ForgetControl(CControlUI* control);
    // Detaches the control and deletes it once the current event has run.
    virtual void DeferDelete(CControlUI* control);
    virtual void SetVirtualWindowsUsed(bool used);

    virtual void Invalidate(const RECT& rect);
    virtual void MarkForLayout();

    virtual void FocusControl(CControlUI* control, bool focusWindow);
    virtual CControlUI* FocusedControl() const;
    virtual bool MoveTabFocus(bool forward);

    virtual void RaiseNotification(CControlUI* sender, const std::wstring& type, WPARAM wParam,
                                   LPARAM lParam, bool async, bool allowRepeat);

    virtual bool RequestMouseLeave(CControlUI* control);
    virtual void CancelMouseLeave(CControlUI* control);
    virtual bool AddOverlayPainter(CControlUI* control);
    virtual bool RemoveOverlayPainter(CControlUI* control);

    // The default attribute list of a class name, or null.
    virtual const wchar_t* ClassDefaults(const std::wstring& className) const;
    // Line height of the window's default font (0 when unknown).
    virtual int DefaultFontHeight() const;
    // The window's hue, saturation and lightness adjustment (180, 100, 100: none).
    virtual void GetHsl(int& hue, int& saturation, int& lightness) const;

    // Drawing's view of the window: images by name (loaded once and kept),
    // fonts.
    const ImageInfo* ImageByNameOrLoad(const std::wstring& name, const std::wstring* type,
                                       DWORD mask, bool useHsl) override;
    const FontInfo* FontById(int id) override;
    int AddFont(const FontInfo& font) override;

  protected:
    CControlUI* m_focus = nullptr;
    bool m_virtualWindowsUsed = false;
    std::vector<CControlUI*> m_deferredDeletes;
    std::map<std::wstring, std::unique_ptr<ImageInfo>> m_images;
    std::vector<FontInfo> m_fonts;
};

}  // namespace VantuUI
