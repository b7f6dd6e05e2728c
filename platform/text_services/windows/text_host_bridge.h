#pragma once

// The system's text services ask their host through ITextHost: this bridge
// answers them from the project's host interface, which the rich edit
// implements on both systems, and passes their requests on to it. Its
// lifetime is its owner's: COM references only count, never delete it.

#include "platform/text_services/text_host.h"
#include "platform/win32_rich_edit.h"

namespace platform {

class TextHostBridge final : public ::ITextHost {
  public:
    // `hostIid` is the interface id the text services ask their host for.
    TextHostBridge(platform::ITextHost& host, const IID& hostIid);
    TextHostBridge(const TextHostBridge&) = delete;
    TextHostBridge& operator=(const TextHostBridge&) = delete;
    virtual ~TextHostBridge() = default;

    // Reads the host's font, colour and alignment again.
    void RefreshFormats();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ITextHost (thiscall on 32-bit, as the system's text services call it)
    HDC TxGetDC() override;
    INT TxReleaseDC(HDC dc) override;
    WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
    WINBOOL TxEnableScrollBar(INT bars, INT arrows) override;
    WINBOOL TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) override;
    WINBOOL TxSetScrollPos(INT bar, INT position, WINBOOL redraw) override;
    void TxInvalidateRect(LPCRECT rect, WINBOOL mode) override;
    void TxViewChange(WINBOOL update) override;
    WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
    WINBOOL TxShowCaret(WINBOOL show) override;
    WINBOOL TxSetCaretPos(INT x, INT y) override;
    WINBOOL TxSetTimer(UINT id, UINT timeout) override;
    void TxKillTimer(UINT id) override;
    void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN updateRegion,
                          LPRECT update, UINT flags) override;
    void TxSetCapture(WINBOOL capture) override;
    void TxSetFocus() override;
    void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
    WINBOOL TxScreenToClient(LPPOINT point) override;
    WINBOOL TxClientToScreen(LPPOINT point) override;
    HRESULT TxActivate(LONG* oldState) override;
    HRESULT TxDeactivate(LONG newState) override;
    HRESULT TxGetClientRect(LPRECT rect) override;
    HRESULT TxGetViewInset(LPRECT inset) override;
    HRESULT TxGetCharFormat(const CHARFORMATW** format) override;
    HRESULT TxGetParaFormat(const PARAFORMAT** format) override;
    COLORREF TxGetSysColor(int index) override;
    HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
    HRESULT TxGetMaxLength(DWORD* length) override;
    HRESULT TxGetScrollBars(DWORD* bars) override;
    HRESULT TxGetPasswordChar(TCHAR* character) override;
    HRESULT TxGetAcceleratorPos(LONG* position) override;
    HRESULT TxGetExtent(LPSIZEL extent) override;
    HRESULT OnTxCharFormatChange(const CHARFORMATW* format) override;
    HRESULT OnTxParaFormatChange(const PARAFORMAT* format) override;
    HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
    HRESULT TxNotify(DWORD code, void* data) override;
    HIMC TxImmGetContext() override;
    void TxImmReleaseContext(HIMC context) override;
    HRESULT TxGetSelectionBarWidth(LONG* width) override;

  private:
    platform::ITextHost& m_host;
    IID m_hostIid;
    LONG m_references = 1;
    CHARFORMAT2W m_charFormat{};
    PARAFORMAT2 m_paraFormat{};
};

}  // namespace platform
