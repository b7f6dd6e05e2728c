#pragma once

// The rich edit control's host of the text services object: it answers the
// object's questions from the control (client rectangle, font, colour,
// style and property bits) and turns its requests into the control's and
// the paint manager's operations (scroll bars, invalidation, caret, timers,
// capture, focus, notifications).

#include <memory>
#include <string>

#include "platform/text_services/text_host.h"
#include "platform/text_services/text_services.h"

namespace VantuUI {

class CRichEditUI;

class CTxtWinHost final : public platform::ITextHost {
  public:
    // `style` holds the ES_* and WS_*SCROLL bits, fixed from now on. Null
    // when the system has no text services; `error` then says why.
    static std::unique_ptr<CTxtWinHost> Create(CRichEditUI& owner, DWORD style, std::string& error);
    CTxtWinHost(const CTxtWinHost&) = delete;
    CTxtWinHost& operator=(const CTxtWinHost&) = delete;
    ~CTxtWinHost();

    platform::CTextServices& Services() { return *m_services; }
    DWORD Style() const { return m_style; }
    bool HasCapture() const { return m_capture; }
    void SetClientRect(const RECT& rect);
    // Tell the text services that a host property changed.
    void PropertyChanged(DWORD bit);
    void SetRich(bool rich) { m_rich = rich; }
    bool IsWordWrap() const { return m_wordWrap; }

    // platform::ITextHost
    RECT TxGetClientRect() override { return m_clientRect; }
    HWND TxGetWindow() override;
    platform::FontSpec TxGetFont() override;
    DWORD TxGetTextColor() override;
    DWORD TxGetPropertyBits(DWORD mask) override;
    DWORD TxGetScrollBars() override;
    LONG TxGetMaxLength() override;
    wchar_t TxGetPasswordChar() override { return L'*'; }
    DWORD TxGetAlignment() override { return m_style & (ES_CENTER | ES_RIGHT); }
    TXTBACKSTYLE TxGetBackStyle() override;
    BOOL TxShowScrollBar(int bar, BOOL show) override;
    BOOL TxEnableScrollBar(int bars, int arrows) override;
    BOOL TxSetScrollRange(int bar, LONG minimum, LONG maximum, BOOL redraw) override;
    BOOL TxSetScrollPos(int bar, int position, BOOL redraw) override;
    void TxInvalidateRect(const RECT* rect) override;
    void TxViewChange(BOOL update) override;
    BOOL TxCreateCaret(int width, int height) override;
    BOOL TxShowCaret(BOOL show) override;
    BOOL TxSetCaretPos(int x, int y) override;
    BOOL TxSetTimer(UINT id, UINT timeout) override;
    void TxKillTimer(UINT id) override;
    void TxSetCapture(BOOL capture) override;
    void TxSetFocus() override;
    void TxSetCursor(HCURSOR cursor) override;
    void TxSetImeRect(const RECT& rect) override;
    HRESULT TxNotify(DWORD code, void* data) override;

  private:
    CTxtWinHost(CRichEditUI& owner, DWORD style);
    // Shows or hides a bar; the text area changes with a vertical one.
    void ShowBar(int bar, bool show);

    CRichEditUI& m_owner;
    DWORD m_style;
    RECT m_clientRect{};
    bool m_wordWrap;
    bool m_rich = true;
    bool m_capture = false;
    bool m_caretVisible = false;
    std::unique_ptr<platform::CTextServices> m_services;
};

}  // namespace VantuUI
