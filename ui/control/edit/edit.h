#pragma once

// A single-line text entry (element "Edit"). It is drawn like a label; while
// it has the focus a native edit window (CEditWnd) lies over its text and
// does the editing, and every change is copied back into the control.

#include "ui/control/child_window/child_window_host.h"
#include "ui/control/edit/edit_wnd.h"

namespace VantuUI {

class CEditUI : public CChildWindowHostUI<CEditWnd> {
  public:
    CEditUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void SetText(const std::wstring& text) override;
    void SetVisible(bool visible = true) override;
    void SetParentVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE GetDesiredSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    bool IsNumberOnly() const { return (m_editStyle & ES_NUMBER) != 0; }
    // Takes effect at the next opening of the native window.
    void SetNumberOnly(bool numberOnly);
    bool IsPasswordMode() const { return m_password; }
    void SetPasswordMode(bool password);
    wchar_t GetPasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(wchar_t ch);
    bool IsAutoSelAll() const { return m_autoSelAll; }
    void SetAutoSelAll(bool autoSelAll) { m_autoSelAll = autoSelAll; }
    int GetMaxChar() const { return m_maxChar; }
    void SetMaxChar(int maxChar);
    // 0xFFFFFFFF leaves the native window its own colours.
    DWORD GetNativeEditBkColor() const { return m_nativeBkColor; }
    void SetNativeEditBkColor(DWORD color) { m_nativeBkColor = color; }
    const std::wstring& GetPlaceholderText() const { return m_placeholder; }
    void SetPlaceholderText(const std::wstring& text);
    DWORD GetPlaceholderColor() const { return m_placeholderColor; }
    void SetPlaceholderColor(DWORD color);
    DWORD GetDisabledPlaceholderColor() const { return m_disabledPlaceholderColor; }
    void SetDisabledPlaceholderColor(DWORD color);
    // The native edit styles beyond those the control sets itself.
    UINT GetEditStyle() const { return m_editStyle; }
    UINT GetState() const { return m_state; }

    const std::wstring& GetNormalImage() const { return m_normalImage.spec; }
    void SetNormalImage(const std::wstring& spec);
    const std::wstring& GetHotImage() const { return m_hotImage.spec; }
    void SetHotImage(const std::wstring& spec);
    const std::wstring& GetFocusedImage() const { return m_focusedImage.spec; }
    void SetFocusedImage(const std::wstring& spec);
    const std::wstring& GetDisabledImage() const { return m_disabledImage.spec; }
    void SetDisabledImage(const std::wstring& spec);

    // The text area, as high as a line of the font and centred.
    RECT ChildWindowRect() override;

  private:
    friend class CEditWnd;

    void OpenNativeWindow();
    // Hidden or disabled: the editing ends.
    void CloseNativeWindowIfUnusable();
    // The native window's text became the control's.
    void TakeNativeText(std::wstring text);
    void SetImage(ImageDrawInfo& record, const std::wstring& spec);

    int m_maxChar = 255;
    bool m_readOnly = false;
    bool m_password = false;
    bool m_autoSelAll = false;
    wchar_t m_passwordChar = L'*';
    UINT m_state = 0;
    DWORD m_nativeBkColor = 0xFFFFFFFF;
    std::wstring m_placeholder;
    DWORD m_placeholderColor = 0;
    DWORD m_disabledPlaceholderColor = 0;
    UINT m_editStyle = 0;
    ImageDrawInfo m_normalImage;
    ImageDrawInfo m_hotImage;
    ImageDrawInfo m_focusedImage;
    ImageDrawInfo m_disabledImage;
};

}  // namespace VantuUI
