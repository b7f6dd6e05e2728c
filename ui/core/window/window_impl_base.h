#pragma once

// A complete skinned, frameless window: at creation it picks the skin
// source, builds the control tree from its skin file and attaches it to its
// paint manager; it drags by the skin's caption band, resizes by its size
// box, rounds its corners, maximises to the work area, drives the system
// buttons named "closebtn", "minbtn", "maxbtn" and "restorebtn", and closes
// on Escape. A concrete window names its class, skin folder and skin file.

#include <string>

#include "ui/core/builder/skin_builder.h"
#include "ui/core/manager/message_filter.h"
#include "ui/core/manager/window_manager.h"
#include "ui/core/notify_pump.h"
#include "ui/core/resource_settings.h"
#include "ui/core/window/window_wnd.h"

namespace VantuUI {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
  public:
    WindowImplBase() = default;

    UINT ClassStyle() const override;
    LRESULT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone(HWND hwnd) override;
    ~WindowImplBase() override = default;

    // Called once the skin is attached.
    virtual void OnSkinReady();
    // "click" notifications: the system buttons by the sender's name.
    virtual void OnClick(TNotificationUI& msg);
    virtual std::wstring SkinFolder() const = 0;
    // A skin file name; a resource id in decimal for SkinResourceType::Resource;
    // XML text itself when it begins with "<".
    virtual std::wstring SkinFile() const = 0;
    // Escape closes the window with 1; true when the key was used.
    virtual LRESULT OnDefaultKey(WPARAM key);
    virtual SkinResourceType SkinSource() const;
    // The ZIP file (relative to the skin path) for SkinResourceType::Zip.
    virtual std::wstring SkinArchiveFile() const;
    // The "ZIPRES" resource id for SkinResourceType::ZipResource (0: none).
    virtual int SkinArchiveResource() const;

    // Message handlers: `handled` starts true; a handler that leaves it true
    // answers the message with its result.
    virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The window's style without a caption bar.
    virtual LONG FramelessStyle() const;
    // Whether a control inside the caption band takes clicks instead of
    // dragging the window: buttons, options and text, in any case.
    virtual bool StaysClickableInCaption(const CControlUI& control) const;

    // INotifyUI: through the message map.
    void OnNotification(TNotificationUI& msg) override;
    // IMessageFilterUI: Return and Escape go to OnDefaultKey.
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // IDialogBuilderCallback: no classes of its own.
    CControlUI* CreateCustomControl(const wchar_t* className) override;

    static const TNotifyMap notifyMap;
    const TNotifyMap* GetNotifyMap() const override { return &notifyMap; }

    CWindowManagerUI& Manager() { return m_manager; }

  protected:
    CWindowManagerUI m_manager;

  private:
    // window_skin_source.cpp: false when a zip resource is missing.
    bool ChooseSkinSource();
    CControlUI* BuildSkin();
    // Reports a skin that cannot be built and ends the process with 1.
    [[noreturn]] void FailSkin();
};

}  // namespace VantuUI
