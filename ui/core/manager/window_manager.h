#pragma once

// The paint manager of one skinned window: the bridge between the native
// window and its tree of windowless controls. It turns the window's messages
// into input events for the right control, keeps focus, hover, capture and
// tab order, paints the tree double-buffered (optionally per-pixel layered),
// shows tooltips, owns per-window timers and delivers notifications. It also
// keeps the window's named resources (fonts, images, class defaults, option
// groups, custom attributes, colours) and applies the skin's window
// attributes. Its static side is process-wide: the live managers, the
// resource settings, the shared resource tables and the numbered strings.
//
// Where each concern lives (ui/core/manager/): binding, names and deferred
// deletes in manager_binding.cpp; the message table in manager_messages.cpp;
// pre-translation, shortcuts and the loop in manager_translate.cpp; mouse
// tracking and tooltips in manager_mouse.cpp; painting and layered mode in
// manager_paint.cpp; focus and Tab order in manager_focus.cpp; timers in
// manager_timers.cpp; notifications in manager_notify.cpp; fonts in
// manager_fonts.cpp; images in manager_images.cpp; class defaults, option
// groups, custom attributes, colours and window attributes in
// manager_attributes.cpp; numbered strings in manager_strings.cpp.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/font_cache.h"
#include "platform/window/window_api.h"
#include "ui/core/input_event.h"
#include "ui/core/manager/message_filter.h"
#include "ui/core/notification.h"
#include "ui/core/resource_settings.h"
#include "ui/core/string_table.h"
#include "ui/render/render_engine.h"
#include "ui/render/render_types.h"

namespace VantuUI {

class CControlUI;

// One window timer of a control: the control's own key and the native id.
struct TTimerRecordUI {
    CControlUI* control = nullptr;
    UINT key = 0;
    HWND window = nullptr;
    UINT_PTR nativeId = 0;
    bool killed = false;
};

// A registered font: the render engine's description plus its line height,
// measured on first use.
struct TFontRecordUI {
    FontInfo font;
    int height = 0;  // 0: not measured yet
};

// The five default colours (0xAARRGGBB).
struct TDefaultColorsUI {
    DWORD disabledText = 0xFFA7A6AA;
    DWORD text = 0xFF000000;
    DWORD link = 0xFF0000FF;
    DWORD linkHover = 0xFFD3215F;
    DWORD selectedBack = 0xFFBAE4FF;
};

// The timer that repaints per-pixel layered windows, and its period.
inline constexpr UINT_PTR kLayeredTimerId = 0x2000;
inline constexpr UINT kLayeredTimerElapse = 10;
// Posted to the window to deliver queued notifications and deferred deletes.
inline constexpr UINT kNotifyQueueMessage = WM_APP + 1;

class CWindowManagerUI : public IRenderHostUI, public CResourceSettings {
  public:
    CWindowManagerUI();
    CWindowManagerUI(const CWindowManagerUI&) = delete;
    CWindowManagerUI& operator=(const CWindowManagerUI&) = delete;
    ~CWindowManagerUI() override;

    // --- Binding and the control tree (manager_binding.cpp) ---

    // Binds the manager to its native window: empties the name table and the
    // window's own resource tables and timers, keeps the window's DC, and
    // joins the live managers.
    void BindWindow(HWND window, const std::wstring& name = L"");
    HWND WindowHandle() const { return m_window; }
    HDC WindowDC() const { return m_windowDc; }
    const std::wstring& Name() const { return m_name; }
    // Takes ownership of `root`; an earlier root is deleted once the current
    // event has run. Layout and "windowinit" follow on the first paint.
    bool AttachRoot(CControlUI* root);
    CControlUI* Root() const { return m_root; }
    // Attaches a subtree with initialisation and registers its names.
    virtual void BindControls(CControlUI* control, CControlUI* parent);
    CControlUI* ControlByName(const std::wstring& name) const;
    // The top-most visible, hit-testable control at a client point, or null.
    CControlUI* ControlAtPoint(POINT point) const;
    virtual bool RenameControl(CControlUI* control, const std::wstring& name);
    // The control is being deleted: it must not stay focused, hovered, timed,
    // named or the sender of a queued notification.
    virtual void ForgetControl(CControlUI* control);
    // Detaches the control and deletes it when the posted queue message
    // arrives (after the current event has run).
    virtual void DeferDelete(CControlUI* control);
    virtual void SetVirtualWindowsUsed(bool used);
    bool VirtualWindowsUsed() const { return m_virtualWindowsUsed; }

    // --- Messages (manager_messages.cpp, manager_translate.cpp) ---

    // True when the message was handled; `result` is then its answer.
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Filters, Tab, shortcuts and system keys before dispatch.
    bool PreTranslate(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Offers a queued message to the managers of its window; true when it
    // must not be dispatched.
    static bool TranslateWindowMessage(MSG* msg);
    // Runs messages until WM_QUIT and returns its wParam.
    static int RunMessageLoop();

    bool AddPreFilter(IMessageFilterUI* filter);
    bool RemovePreFilter(IMessageFilterUI* filter);
    bool AddMessageHook(IMessageFilterUI* filter);
    bool RemoveMessageHook(IMessageFilterUI* filter);
    bool AddAcceleratorHandler(ITranslateAccelerator* translator);
    bool RemoveAcceleratorHandler(ITranslateAccelerator* translator);
    // A native child window hosted by `control` (printed in layered mode,
    // followed on focus changes). A second registration fails.
    bool RegisterChildWindow(CControlUI* control, HWND window);
    bool UnregisterChildWindow(HWND window);

    // --- Focus, Tab order and capture (manager_focus.cpp) ---

    virtual void FocusControl(CControlUI* control, bool focusWindow);
    virtual CControlUI* FocusedControl() const;
    // Stores the first tab stop as focused (no events) for the next paint.
    void FocusFirstTabStop();
    virtual bool MoveTabFocus(bool forward);
    void CaptureMouse();
    void ReleaseMouse();
    bool HasMouseCapture() const { return m_mouseCaptured; }
    CControlUI* HoverControl() const { return m_hover; }
    CControlUI* ClickControl() const { return m_click; }

    // --- Mouse and tooltips (manager_mouse.cpp) ---

    virtual bool RequestMouseLeave(CControlUI* control);
    virtual void CancelMouseLeave(CControlUI* control);
    POINT MousePosition() override { return m_lastMouse; }
    void SetHoverTime(UINT milliseconds) { m_hoverTime = milliseconds; }
    UINT HoverTime() const { return m_hoverTime; }
    // The tooltip window, once a tooltip was shown (null before).
    HWND TooltipWindow() const { return m_tooltip; }

    // --- Painting (manager_paint.cpp) ---

    void Invalidate();
    virtual void Invalidate(const RECT& rect);
    virtual void MarkForLayout();
    virtual bool AddOverlayPainter(CControlUI* control);
    virtual bool RemoveOverlayPainter(CControlUI* control);
    void SetPerPixelLayered(bool layered);
    bool IsPerPixelLayered() const { return m_layered; }
    // Whole-window opacity (WS_EX_LAYERED with a constant alpha).
    void SetOpacity(BYTE opacity);
    BYTE Opacity() const { return m_opacity; }
    // Constant alpha of per-pixel layered painting.
    void SetLayeredOpacity(BYTE opacity);
    BYTE LayeredOpacity() const { return m_layeredOpacity; }
    // An image spec drawn under the tree whose alpha shapes the window;
    // switches per-pixel layered mode on.
    void SetLayeredImage(const std::wstring& spec);
    const std::wstring& LayeredImage() const { return m_layeredImage.spec; }
    void SetShowDirty(bool show) { m_showDirty = show; }
    bool IsShowDirty() const { return m_showDirty; }
    void SetOffscreenPaint(bool offscreen) { m_offscreenPaint = offscreen; }
    bool IsOffscreenPaint() const { return m_offscreenPaint; }
    void PaintTree(HDC dc, const RECT& rect, const void* stopControl) override;
    HBITMAP OffscreenBitmap() override;

    // --- Timers (manager_timers.cpp) ---

    // False when the native timer cannot be made or the timer already runs.
    bool StartTimer(CControlUI* control, UINT key, UINT elapse);
    bool StopTimer(CControlUI* control, UINT key);
    void StopTimer(CControlUI* control);
    void StopAllTimers();
    const std::vector<TTimerRecordUI>& Timers() const { return m_timers; }

    // --- Notifications (manager_notify.cpp) ---

    bool AddListener(INotifyUI* listener);
    bool RemoveListener(INotifyUI* listener);
    virtual void RaiseNotification(CControlUI* sender, const std::wstring& type, WPARAM wParam,
                                   LPARAM lParam, bool async, bool allowRepeat);
    void RaiseNotification(TNotificationUI& msg, bool async, bool allowRepeat);

    // --- Window flags and geometry (manager_attributes.cpp) ---

    void SetNoActivate(bool noActivate) { m_noActivate = noActivate; }
    bool IsNoActivate() const { return m_noActivate; }
    // The window's size at creation; resizes the window while no root is attached.
    void SetInitialSize(int cx, int cy);
    SIZE InitialSize() const { return m_initialSize; }
    void SetSizeBox(const RECT& box) { m_sizeBox = box; }
    const RECT& SizeBox() const { return m_sizeBox; }
    void SetCaptionRect(const RECT& caption) { m_caption = caption; }
    const RECT& CaptionRect() const { return m_caption; }
    void SetRoundCorner(int cx, int cy) { m_roundCorner = SIZE{cx, cy}; }
    SIZE RoundCorner() const { return m_roundCorner; }
    // Minimum and maximum track sizes (0: none).
    void SetMinInfo(int cx, int cy) { m_minInfo = SIZE{cx, cy}; }
    SIZE MinInfo() const { return m_minInfo; }
    void SetMaxInfo(int cx, int cy) { m_maxInfo = SIZE{cx, cy}; }
    SIZE MaxInfo() const { return m_maxInfo; }
    // One attribute of the skin's "Window" element.
    void ApplyWindowAttribute(const std::wstring& name, const std::wstring& value);

    // --- Fonts (manager_fonts.cpp) ---

    // Font number `id`; replaces a font of the same id. Null on failure.
    const FontInfo* RegisterFont(int id, const std::wstring& face, int size, bool bold,
                                 bool underline, bool italic, bool shared);
    bool SetWindowDefaultFont(const std::wstring& face, int size, bool bold, bool underline,
                              bool italic, bool shared);
    const FontInfo* DefaultFont();
    // The window's font, else the shared one, else the default font.
    const FontInfo* FontById(int id) override;
    int FontHeight(int id);
    // The id of the first font (own table first) matching exactly, or -1.
    int FindFont(const std::wstring& face, int size, bool bold, bool underline, bool italic) const;
    int FindFont(const FontInfo& font) override;
    // A font of tagged text: an equal registered font's id, else a new id.
    int AddFont(const FontInfo& font) override;
    // The system font drawn with for `font`, made once per window.
    HFONT CachedFont(const FontInfo& font) override;
    virtual int DefaultFontHeight() const;
    std::size_t FontCount() const { return m_fonts.Count(); }
    void SetForceShared(bool force) { m_forceShared = force; }
    bool IsForceShared() const { return m_forceShared; }

    // --- Images (manager_images.cpp) ---

    // Loads and stores an image under `name`; `type` null: a skin file.
    const ImageInfo* RegisterImage(const std::wstring& name, const std::wstring* type, DWORD mask,
                                   bool useHsl, bool shared);
    const ImageInfo* ImageByName(const std::wstring& name) const;
    const ImageInfo* ImageByNameOrLoad(const std::wstring& name, const std::wstring* type,
                                       DWORD mask, bool useHsl) override;
    bool RemoveImage(const std::wstring& name);
    void RemoveAllImages();
    // The window's hue, saturation and lightness adjustment (180, 100, 100: none).
    virtual void GetHsl(int& hue, int& saturation, int& lightness) const;

    // --- Class defaults, option groups, custom attributes, colours (manager_attributes.cpp) ---

    void SetClassDefaults(const std::wstring& className, const std::wstring& list, bool shared);
    // The default attribute list of a class name (own, then shared), or null.
    virtual const wchar_t* ClassDefaults(const std::wstring& className) const;
    void RemoveAllClassDefaults();

    bool JoinOptionGroup(const std::wstring& group, CControlUI* control);
    const std::vector<CControlUI*>* OptionGroupMembers(const std::wstring& group) const;
    void LeaveOptionGroup(const std::wstring& group, CControlUI* control);
    void RemoveAllOptionGroups();

    // An empty name or value, or a name already present, is ignored.
    void SetCustomAttribute(const std::wstring& name, const std::wstring& value);
    const wchar_t* CustomAttribute(const std::wstring& name) const;
    bool RemoveCustomAttribute(const std::wstring& name);
    void RemoveAllCustomAttributes();

    const TDefaultColorsUI& DefaultColors() const { return m_colors; }
    void SetDisabledTextColor(DWORD color, bool shared);
    void SetDefaultTextColor(DWORD color, bool shared);
    void SetLinkColor(DWORD color, bool shared);
    void SetLinkHoverColor(DWORD color, bool shared);
    void SetSelectedBackColor(DWORD color, bool shared);
    DWORD LinkColor() override { return m_colors.link; }
    DWORD LinkHoverColor() override { return m_colors.linkHover; }
    DWORD SelectedBackColor() override { return m_colors.selectedBack; }

    // --- Numbered strings (manager_strings.cpp) ---

    // Replaces every "%{n}" whose number has a text in the table.
    static std::wstring ExpandTokens(const std::wstring& text);
    std::wstring ExpandStringTokens(const std::wstring& text) override {
        return ExpandTokens(text);
    }
    static void SetNumberedString(int id, const std::wstring& text);
    // The text of a number, or null.
    static const std::wstring* NumberedString(int id);
    static void RemoveAllNumberedStrings();

    // --- Process-wide ---

    static const std::vector<CWindowManagerUI*>& LiveManagers();

  private:
    struct ChildWindow {
        HWND window;
        CControlUI* control;
    };
    struct OffscreenBuffers;

    // manager_binding.cpp
    void RegisterNames(CControlUI* root);
    void EmptyWindowTables();
    void DeleteDeferred();
    // manager_messages.cpp
    void SendEvent(CControlUI* target, InputEventKind kind, WORD keyState, WPARAM wParam,
                   LPARAM lParam);
    void SendKeyEvent(CControlUI* target, InputEventKind kind, WPARAM wParam, LPARAM lParam);
    static bool AskFilters(const std::vector<IMessageFilterUI*>& filters, UINT message,
                           WPARAM wParam, LPARAM lParam, LRESULT& result);
    TInputEventUI MakeEvent(InputEventKind kind, CControlUI* sender, WORD keyState, WPARAM wParam,
                            LPARAM lParam) const;
    bool OwnsControl(const CControlUI* control) const;
    bool OnButtonDown(UINT message, WPARAM wParam);
    void OnButtonUp(WPARAM wParam);
    void OnClose();
    bool OnSetCursor(LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnKillFocus(WPARAM wParam);
    // manager_mouse.cpp
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    bool OnMouseHover(WPARAM wParam, LPARAM lParam);
    void OnMouseLeave();
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void HideTooltip();
    void DestroyTooltip();
    // manager_paint.cpp
    void OnPaint();
    void PaintLayout(const RECT& client);
    void PaintPresent(HDC windowDc, const RECT& paint, const RECT& client);
    void OnPrintClient(HDC dc, LPARAM flags);
    void PrintChildWindowsLayered(HDC memory, const RECT& paint);
    void FreeOffscreen();
    // manager_notify.cpp
    void DeliverQueued();
    void Deliver(TNotificationUI& msg);
    // manager_fonts.cpp
    TFontRecordUI& FontRecord(int id);
    TFontRecordUI& DefaultFontRecord();
    // manager_attributes.cpp
    void SetDefaultColor(DWORD TDefaultColorsUI::*which, DWORD color, bool shared);
    // manager_translate.cpp
    bool TranslateShortcut(WPARAM key);
    bool OfferAccelerators(MSG* msg);

    // Identity.
    std::wstring m_name;
    HWND m_window = nullptr;
    HDC m_windowDc = nullptr;
    bool m_live = false;

    // Painting.
    std::unique_ptr<OffscreenBuffers> m_offscreen;
    bool m_offscreenPaint = true;
    bool m_showDirty = false;
    bool m_firstLayout = true;
    bool m_updateNeeded = false;
    bool m_focusNeeded = false;
    bool m_painting = false;
    bool m_layered = false;
    bool m_layeredChanged = false;
    BYTE m_opacity = 255;
    BYTE m_layeredOpacity = 255;
    ImageDrawInfo m_layeredImage;
    RECT m_layeredUpdate{};

    // Tooltip.
    HWND m_tooltip = nullptr;
    TOOLINFO m_toolInfo{};
    std::wstring m_toolText;
    CControlUI* m_lastTooltipControl = nullptr;
    int m_lastTooltipWidth = -1;
    UINT m_hoverTime = 1000;

    // Flags.
    bool m_noActivate = false;
    bool m_mouseTracking = false;
    bool m_mouseCaptured = false;
    bool m_asyncPosted = false;
    bool m_virtualWindowsUsed = false;

    // Controls.
    CControlUI* m_root = nullptr;
    CControlUI* m_focus = nullptr;
    CControlUI* m_hover = nullptr;
    CControlUI* m_click = nullptr;
    CControlUI* m_keyDown = nullptr;

    // Geometry.
    POINT m_lastMouse{-1, -1};
    SIZE m_minInfo{};
    SIZE m_maxInfo{};
    SIZE m_initialSize{};
    RECT m_caption{};
    RECT m_sizeBox{};
    SIZE m_roundCorner{};

    // Timers.
    std::vector<TTimerRecordUI> m_timers;
    UINT_PTR m_nextTimerId = 0x1000;

    // Lists.
    std::vector<INotifyUI*> m_listeners;
    std::vector<IMessageFilterUI*> m_preFilters;
    std::vector<IMessageFilterUI*> m_messageHooks;
    std::vector<ITranslateAccelerator*> m_accelerators;
    std::vector<CControlUI*> m_overlayPainters;
    std::vector<ChildWindow> m_childWindows;
    std::vector<CControlUI*> m_deferredDeletes;
    std::deque<std::unique_ptr<TNotificationUI>> m_asyncQueue;
    std::vector<CControlUI*> m_mouseLeaveWanted;

    // Tables.
    CStringTableUI<CControlUI*> m_names{83};
    CStringTableUI<TFontRecordUI> m_fonts{83};
    TFontRecordUI m_defaultFont;
    int m_nextTagFontId = 0x10000;
    platform::FontCache m_fontObjects;  // the fonts drawn with, freed with the manager
    CStringTableUI<std::unique_ptr<ImageInfo>> m_images{83};
    std::vector<std::unique_ptr<ImageInfo>> m_retiredImages;  // replaced, maybe still drawn
    CStringTableUI<std::wstring> m_classDefaults{83};
    CStringTableUI<std::vector<CControlUI*>> m_optionGroups{83};
    CStringTableUI<std::wstring> m_customAttributes{83};
    TDefaultColorsUI m_colors;
    bool m_forceShared = false;
};

}  // namespace VantuUI
