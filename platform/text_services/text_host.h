#pragma once

// The host interface of the windowless rich-edit text services, shaped as
// the system's ITextHost: what a text services object asks of the control
// that hosts it. Coordinates are the host window's client pixels; the client
// rectangle is where the text shows. On Windows a bridge offers it to the
// system's text services as their ITextHost.

#include "platform/gdi/font_spec.h"
#include "platform/win32.h"
#include "platform/win32_rich_edit.h"

namespace platform {

class ITextHost {
  public:
    virtual RECT TxGetClientRect() = 0;
    // The window the text shows in (null: none yet).
    virtual HWND TxGetWindow() = 0;
    // The default character format: font and colour (0xAARRGGBB).
    virtual FontSpec TxGetFont() = 0;
    virtual DWORD TxGetTextColor() = 0;
    // TXTBIT_* bits among `mask`.
    virtual DWORD TxGetPropertyBits(DWORD mask) = 0;
    // WS_VSCROLL, WS_HSCROLL, ES_AUTOVSCROLL, ES_AUTOHSCROLL, ES_DISABLENOSCROLL.
    virtual DWORD TxGetScrollBars() = 0;
    virtual LONG TxGetMaxLength() = 0;
    virtual wchar_t TxGetPasswordChar() = 0;
    // ES_CENTER, ES_RIGHT or 0.
    virtual DWORD TxGetAlignment() = 0;
    // Opaque: the client rectangle is filled with the window colour under the text.
    virtual TXTBACKSTYLE TxGetBackStyle() = 0;

    virtual BOOL TxShowScrollBar(int bar, BOOL show) = 0;
    virtual BOOL TxEnableScrollBar(int bars, int arrows) = 0;
    virtual BOOL TxSetScrollRange(int bar, LONG minimum, LONG maximum, BOOL redraw) = 0;
    virtual BOOL TxSetScrollPos(int bar, int position, BOOL redraw) = 0;
    // Null: the whole client rectangle.
    virtual void TxInvalidateRect(const RECT* rect) = 0;
    virtual void TxViewChange(BOOL update) = 0;
    virtual BOOL TxCreateCaret(int width, int height) = 0;
    virtual BOOL TxShowCaret(BOOL show) = 0;
    virtual BOOL TxSetCaretPos(int x, int y) = 0;
    virtual BOOL TxSetTimer(UINT id, UINT timeout) = 0;
    virtual void TxKillTimer(UINT id) = 0;
    virtual void TxSetCapture(BOOL capture) = 0;
    virtual void TxSetFocus() = 0;
    virtual void TxSetCursor(HCURSOR cursor) = 0;
    // Where the input method shows its candidates.
    virtual void TxSetImeRect(const RECT& rect) = 0;
    // EN_CHANGE and the other EN_* codes.
    virtual HRESULT TxNotify(DWORD code, void* data) = 0;

  protected:
    ~ITextHost() = default;
};

}  // namespace platform
