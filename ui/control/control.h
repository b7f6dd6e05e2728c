#pragma once

// The root of every element of a skinned window: geometry, state flags,
// text, colours, background image and border, event sources, and the
// string-keyed attribute interface the skin builder configures it through.

#include <cstdint>
#include <string>

#include "platform/win32.h"
#include "ui/core/delegate.h"
#include "ui/core/input_event.h"
#include "ui/core/string_table.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

class CWindowManagerUI;
class CControlUI;

// Anchors of a floating control as fractions of its parent's size.
struct TFloatAnchorsUI {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    friend bool operator==(const TFloatAnchorsUI&, const TFloatAnchorsUI&) = default;
};

using FINDCONTROLPROC = CControlUI* (*)(CControlUI* control, void* data);

// FindInTree flags.
inline constexpr UINT UIFIND_ALL = 0x00000000;
inline constexpr UINT UIFIND_VISIBLE = 0x00000001;
inline constexpr UINT UIFIND_ENABLED = 0x00000002;
inline constexpr UINT UIFIND_HITTEST = 0x00000004;
inline constexpr UINT UIFIND_UPDATETEST = 0x00000008;
inline constexpr UINT UIFIND_TOP_FIRST = 0x00000010;
inline constexpr UINT UIFIND_ME_FIRST = 0x80000000;

// GetInputFlags bits.
inline constexpr UINT UIFLAG_TABSTOP = 0x00000001;
inline constexpr UINT UIFLAG_SETCURSOR = 0x00000002;

class CControlUI {
  public:
    CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual void Destroy();
    virtual ~CControlUI();
    virtual std::wstring GetName() const;
    virtual void SetName(const std::wstring& name);
    virtual std::wstring GetClass() const;
    virtual void* FindInterface(const std::wstring& name);
    virtual UINT GetInputFlags();
    virtual HWND GetChildWindow();
    virtual bool CanActivate();
    // Does what a click does (a button's "click", a combo's drop-down); the
    // base does nothing more than tell whether the control may be activated.
    virtual bool Activate();
    virtual CWindowManagerUI* GetManager() const;
    virtual void AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init = true);
    virtual CControlUI* GetParent() const;
    virtual CControlUI* GetCoverControl() const;
    virtual void SetCoverControl(CControlUI* control);
    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& text);

    virtual const RECT& GetItemRect() const;
    virtual RECT GetParentRelativeRect() const;
    virtual RECT GetContentRect() const;
    virtual void SetItemRect(RECT rect, bool invalidate = true);
    virtual void Move(SIZE offset, bool invalidate = true);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetX() const;
    virtual int GetY() const;
    virtual RECT GetPadding() const;
    virtual void SetPadding(RECT padding);
    virtual SIZE GetFloatOffset() const;
    virtual void SetFloatOffset(SIZE offset);
    virtual TFloatAnchorsUI GetFloatAnchors() const;
    virtual void SetFloatAnchors(TFloatAnchorsUI anchors);
    virtual int GetFixedWidth() const;
    virtual void SetFixedWidth(int width);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int height);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int width);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int width);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int height);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int height);

    virtual std::wstring GetToolTip() const;
    virtual void SetToolTip(const std::wstring& text);
    virtual void SetToolTipMaxWidth(int width);
    virtual int GetToolTipMaxWidth() const;
    virtual wchar_t GetShortcut() const;
    virtual void SetShortcut(wchar_t ch);
    virtual bool WantsContextMenu() const;
    virtual void SetWantsContextMenu(bool wants);
    virtual std::wstring GetUserData() const;
    virtual void SetUserData(const std::wstring& text);
    virtual std::uintptr_t GetTag() const;
    virtual void SetTag(std::uintptr_t tag);

    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible = true);
    virtual void SetParentVisible(bool visible = true);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled = true);
    virtual bool AcceptsMouse() const;
    virtual void SetAcceptsMouse(bool enabled = true);
    virtual bool AcceptsKeyboard() const;
    virtual void SetAcceptsKeyboard(bool enabled = true);
    virtual bool IsFocused() const;
    virtual void SetFocus();
    virtual bool IsFloating() const;
    virtual void SetFloating(bool floating = true);

    virtual CControlUI* FindInTree(FINDCONTROLPROC proc, void* data, UINT flags);

    virtual void Init();
    virtual void InitHook();
    virtual void DispatchEvent(TInputEventUI& event);
    virtual void HandleEvent(TInputEventUI& event);

    virtual std::wstring GetAttribute(const std::wstring& name);
    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
    virtual std::wstring GetAttributeList(bool ignoreDefault = true);
    virtual void ApplyAttributeString(const std::wstring& text);

    virtual SIZE GetDesiredSize(SIZE available);

    virtual bool Paint(HDC dc, const RECT& paintRect, CControlUI* stop);
    virtual bool PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop);
    virtual void PaintBackColor(HDC dc);
    virtual void PaintBackImage(HDC dc);
    virtual void PaintStateImage(HDC dc);
    virtual void PaintForeColor(HDC dc);
    virtual void PaintTextLayer(HDC dc);
    virtual void PaintBorderLayer(HDC dc);
    virtual void PaintOverlay(HDC dc, const RECT& paintRect);

    // Not virtual.
    void Invalidate();
    void RequestLayout();
    void RequestParentLayout();
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    DWORD AdjustedColor(DWORD color) const;

    DWORD GetBackColor() const { return m_backColor; }
    void SetBackColor(DWORD color);
    DWORD GetBackColor2() const { return m_backColor2; }
    void SetBackColor2(DWORD color);
    DWORD GetBackColor3() const { return m_backColor3; }
    void SetBackColor3(DWORD color);
    DWORD GetForeColor() const { return m_foreColor; }
    void SetForeColor(DWORD color);
    const std::wstring& GetBackImage() const { return m_backImage.spec; }
    void SetBackImage(const std::wstring& spec);
    DWORD GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(DWORD color);
    DWORD GetFocusedBorderColor() const { return m_focusedBorderColor; }
    void SetFocusedBorderColor(DWORD color);
    bool UsesHsl() const { return m_colorHsl; }
    void SetUseHsl(bool use);
    RECT GetBorderWidths() const { return m_borderSize; }
    void SetBorderWidths(int width);
    void SetBorderWidths(RECT widths);
    int GetBorderPenStyle() const { return m_borderStyle; }
    void SetBorderPenStyle(int style);
    SIZE GetCornerRound() const { return m_borderRound; }
    void SetCornerRound(SIZE round);
    std::wstring GetVirtualWindowName() const;
    void SetVirtualWindowName(const std::wstring& name);
    void StoreExtraAttribute(const std::wstring& name, const std::wstring& value);
    const wchar_t* ExtraAttribute(const std::wstring& name) const;
    bool DrawImageRecord(HDC dc, ImageDrawInfo& record);

    // Event sources.
    CDelegateList OnInit;
    CDelegateList OnDestroy;
    CDelegateList OnSize;
    CDelegateList OnEvent;
    CDelegateList OnNotify;
    CDelegateList OnPaint;
    CDelegateList OnPostPaint;

  protected:
    // A border of `color` with per-side `widths` around the item: rounded
    // with a corner round, one rectangle when all sides are equal, else a
    // line per side.
    void DrawBorder(HDC dc, DWORD color, const RECT& widths);
    // Invalidates `area` clipped by every ancestor's item rectangle.
    void InvalidateClipped(RECT area);
    // True when a tree search with `flags` may look at this control and what
    // lies under it: visible, enabled and hit as asked, not ruled out by an
    // update test.
    bool SearchReaches(FINDCONTROLPROC proc, void* data, UINT flags);

    CWindowManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    CControlUI* m_cover = nullptr;
    std::wstring m_virtualWindow;
    std::wstring m_name;
    bool m_updateNeeded = true;
    bool m_wantsContextMenu = false;
    RECT m_itemRect{};
    RECT m_padding{};
    SIZE m_floatOffset{};
    SIZE m_fixedSize{};
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 9999;
    int m_maxHeight = 9999;
    bool m_visible = true;
    bool m_parentVisible = true;
    bool m_enabled = true;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = true;
    bool m_focused = false;
    bool m_floating = false;
    TFloatAnchorsUI m_floatAnchors{};
    bool m_settingPosition = false;
    std::wstring m_text;
    std::wstring m_toolTip;
    wchar_t m_shortcut = 0;
    std::wstring m_userData;
    std::uintptr_t m_tag = 0;
    DWORD m_backColor = 0;
    DWORD m_backColor2 = 0;
    DWORD m_backColor3 = 0;
    DWORD m_foreColor = 0;
    ImageDrawInfo m_backImage;
    ImageDrawInfo m_secondImage;
    DWORD m_borderColor = 0;
    DWORD m_focusedBorderColor = 0;
    bool m_colorHsl = false;
    int m_borderStyle = 0;
    int m_toolTipWidth = 300;
    SIZE m_borderRound{};
    RECT m_paintRect{};
    RECT m_borderSize{};
    CStringTableUI<std::wstring> m_extraAttributes{83};
};

}  // namespace VantuUI
