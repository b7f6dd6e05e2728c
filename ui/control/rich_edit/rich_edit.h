#pragma once

// A windowless multi-line text box: a container whose text, editing,
// selection, caret and scrolling come from the platform's text services
// object, hosted by CTxtWinHost. The window's mouse, keyboard and input-method
// messages reach it through the manager's message hooks; its scroll bars are
// the container's, driven by the text services' scroll-bar requests.
//
// Files: attributes, text and setters in rich_edit.cpp; the message filter,
// events and scrolling in rich_edit_input.cpp; layout and painting in
// rich_edit_paint.cpp; the host in rich_edit_host.h/.cpp.

#include <memory>

#include "ui/core/manager/message_filter.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

class CTxtWinHost;

class CRichEditUI : public CContainerUI, public IMessageFilterUI {
  public:
    CRichEditUI();
    ~CRichEditUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void InitHook() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    std::wstring GetText() const override;
    void SetText(const std::wstring& text) override;
    void SetEnabled(bool enabled = true) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void Move(SIZE offset, bool invalidate = true) override;
    void PaintTextLayer(HDC dc) override;
    void HandleEvent(TInputEventUI& event) override;

    // Scrolling goes through the text services, which call the bars back.
    void SetScrollOffset(SIZE offset) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void ScrollToTop() override;
    void ScrollToBottom() override;
    void LineLeft() override;
    void LineRight() override;
    void PageLeft() override;
    void PageRight() override;
    void ScrollToLeftEnd() override;
    void ScrollToRightEnd() override;

    // IMessageFilterUI
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    bool WantsTab() const { return m_wantTab; }
    void SetWantsTab(bool want) { m_wantTab = want; }
    bool WantsReturn() const { return m_wantReturn; }
    void SetWantsReturn(bool want) { m_wantReturn = want; }
    bool WantsCtrlReturn() const { return m_wantCtrlReturn; }
    void SetWantsCtrlReturn(bool want) { m_wantCtrlReturn = want; }
    bool IsRich() const { return m_rich; }
    void SetRich(bool rich);
    bool IsTransparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    int GetFont() const { return m_font; }
    void SetFont(int id);
    DWORD GetTextColor() const { return m_textColor; }
    void SetTextColor(DWORD color);
    int GetLimitText() const { return m_limitText; }
    void SetLimitText(int limit);
    DWORD GetStyle() const { return m_style; }
    RECT GetTextPadding() const { return m_textPadding; }
    void SetTextPadding(RECT padding);
    // The host, once InitHook made it (null before and when it failed).
    CTxtWinHost* GetHost() const { return m_host.get(); }

    virtual LRESULT SendToTextServices(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnTextViewChanged();
    virtual void OnTextNotify(DWORD code, void* data);

  protected:
    friend class CTxtWinHost;

    // The text area: item rectangle minus inset, a shown vertical bar and the padding.
    RECT TextArea() const;
    void UpdateHostClientRect();
    void SetStyleBit(DWORD bit, bool on);
    void ScrollRequest(bool vertical, WORD request);

    std::unique_ptr<CTxtWinHost> m_host;
    bool m_wantTab = true;
    bool m_wantReturn = true;
    bool m_wantCtrlReturn = true;
    bool m_transparent = true;
    bool m_rich = true;
    bool m_readOnly = false;
    DWORD m_textColor = 0;
    int m_font = -1;
    int m_limitText = 32767;
    DWORD m_style;
    bool m_initialised = false;
    RECT m_textPadding{};
};

}  // namespace VantuUI
