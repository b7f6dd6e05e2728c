#include "platform/text_services/windows/text_host_bridge.h"

#include <imm.h>

#include <algorithm>

#include "platform/gdi/windows/gdi_objects.h"

namespace platform {

TextHostBridge::TextHostBridge(platform::ITextHost& host, const IID& hostIid)
    : m_host(host), m_hostIid(hostIid) {
    RefreshFormats();
}

// The character format in twips at the screen's resolution; the face is the
// one gdi32 picks for the spec, so the text and the toolkit's labels agree.
void TextHostBridge::RefreshFormats() {
    const FontSpec spec = m_host.TxGetFont();
    m_charFormat = CHARFORMAT2W{};
    m_charFormat.cbSize = sizeof m_charFormat;
    m_charFormat.dwMask = CFM_SIZE | CFM_OFFSET | CFM_FACE | CFM_CHARSET | CFM_COLOR | CFM_BOLD |
                          CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    m_charFormat.dwEffects = (spec.bold ? CFE_BOLD : 0) | (spec.italic ? CFE_ITALIC : 0) |
                             (spec.underline ? CFE_UNDERLINE : 0);
    int dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    m_charFormat.yHeight = MulDiv(std::max(spec.size, 1), 1440, dpi > 0 ? dpi : 96);
    const DWORD color = m_host.TxGetTextColor();
    m_charFormat.crTextColor = RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    m_charFormat.bCharSet = DEFAULT_CHARSET;
    m_charFormat.bPitchAndFamily = DEFAULT_PITCH;
    LOGFONTW font{};
    if (FontObject object = CreateFontObject(spec);
        object != nullptr && GetObjectW(object.get(), sizeof font, &font) == sizeof font) {
        std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), m_charFormat.szFaceName);
        m_charFormat.szFaceName[LF_FACESIZE - 1] = L'\0';
    }

    m_paraFormat = PARAFORMAT2{};
    m_paraFormat.cbSize = sizeof m_paraFormat;
    m_paraFormat.dwMask = PFM_ALL;
    const DWORD alignment = m_host.TxGetAlignment();
    m_paraFormat.wAlignment = (alignment & ES_CENTER) != 0  ? PFA_CENTER
                              : (alignment & ES_RIGHT) != 0 ? PFA_RIGHT
                                                            : PFA_LEFT;
    m_paraFormat.cTabCount = 1;
    m_paraFormat.rgxTabs[0] = lDefaultTab;
}

HRESULT STDMETHODCALLTYPE TextHostBridge::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, m_hostIid)) {
        *object = static_cast<::ITextHost*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TextHostBridge::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE TextHostBridge::Release() {
    return static_cast<ULONG>(InterlockedDecrement(&m_references));
}

// Only measuring reaches this DC: the text is drawn by TxDraw, so a memory DC
// like the screen's keeps stray drawing off the window.
HDC TextHostBridge::TxGetDC() {
    return CreateCompatibleDC(nullptr);
}

INT TextHostBridge::TxReleaseDC(HDC dc) {
    return DeleteDC(dc) ? 1 : 0;
}

WINBOOL TextHostBridge::TxShowScrollBar(INT bar, WINBOOL show) {
    return m_host.TxShowScrollBar(bar, show);
}

WINBOOL TextHostBridge::TxEnableScrollBar(INT bars, INT arrows) {
    return m_host.TxEnableScrollBar(bars, arrows);
}

WINBOOL TextHostBridge::TxSetScrollRange(INT bar, LONG minimum, INT maximum, WINBOOL redraw) {
    return m_host.TxSetScrollRange(bar, minimum, maximum, redraw);
}

WINBOOL TextHostBridge::TxSetScrollPos(INT bar, INT position, WINBOOL redraw) {
    return m_host.TxSetScrollPos(bar, position, redraw);
}

void TextHostBridge::TxInvalidateRect(LPCRECT rect, WINBOOL /*mode*/) {
    m_host.TxInvalidateRect(rect);
}

void TextHostBridge::TxViewChange(WINBOOL update) {
    m_host.TxViewChange(update);
}

WINBOOL TextHostBridge::TxCreateCaret(HBITMAP /*bitmap*/, INT width, INT height) {
    return m_host.TxCreateCaret(width, height);
}

WINBOOL TextHostBridge::TxShowCaret(WINBOOL show) {
    return m_host.TxShowCaret(show);
}

WINBOOL TextHostBridge::TxSetCaretPos(INT x, INT y) {
    return m_host.TxSetCaretPos(x, y);
}

WINBOOL TextHostBridge::TxSetTimer(UINT id, UINT timeout) {
    return m_host.TxSetTimer(id, timeout);
}

void TextHostBridge::TxKillTimer(UINT id) {
    m_host.TxKillTimer(id);
}

// Windowless text has no pixels of its own to move: what scrolled is drawn
// again from the back buffer.
void TextHostBridge::TxScrollWindowEx(INT /*dx*/, INT /*dy*/, LPCRECT scroll, LPCRECT /*clip*/,
                                      HRGN /*updateRegion*/, LPRECT update, UINT /*flags*/) {
    m_host.TxInvalidateRect(scroll);
    if (update != nullptr) {
        *update = scroll != nullptr ? *scroll : m_host.TxGetClientRect();
    }
}

void TextHostBridge::TxSetCapture(WINBOOL capture) {
    m_host.TxSetCapture(capture);
}

void TextHostBridge::TxSetFocus() {
    m_host.TxSetFocus();
}

void TextHostBridge::TxSetCursor(HCURSOR cursor, WINBOOL /*text*/) {
    m_host.TxSetCursor(cursor);
}

WINBOOL TextHostBridge::TxScreenToClient(LPPOINT point) {
    HWND window = m_host.TxGetWindow();
    return window != nullptr && point != nullptr ? ScreenToClient(window, point) : FALSE;
}

WINBOOL TextHostBridge::TxClientToScreen(LPPOINT point) {
    HWND window = m_host.TxGetWindow();
    return window != nullptr && point != nullptr ? ClientToScreen(window, point) : FALSE;
}

HRESULT TextHostBridge::TxActivate(LONG* oldState) {
    if (oldState != nullptr) {
        *oldState = 0;
    }
    return S_OK;
}

HRESULT TextHostBridge::TxDeactivate(LONG /*newState*/) {
    return S_OK;
}

HRESULT TextHostBridge::TxGetClientRect(LPRECT rect) {
    if (rect == nullptr) {
        return E_INVALIDARG;
    }
    *rect = m_host.TxGetClientRect();
    return S_OK;
}

HRESULT TextHostBridge::TxGetViewInset(LPRECT inset) {
    if (inset == nullptr) {
        return E_INVALIDARG;
    }
    *inset = RECT{};
    return S_OK;
}

HRESULT TextHostBridge::TxGetCharFormat(const CHARFORMATW** format) {
    *format = reinterpret_cast<const CHARFORMATW*>(&m_charFormat);
    return S_OK;
}

HRESULT TextHostBridge::TxGetParaFormat(const PARAFORMAT** format) {
    *format = &m_paraFormat;
    return S_OK;
}

COLORREF TextHostBridge::TxGetSysColor(int index) {
    return GetSysColor(index);
}

HRESULT TextHostBridge::TxGetBackStyle(TXTBACKSTYLE* style) {
    *style = m_host.TxGetBackStyle();
    return S_OK;
}

HRESULT TextHostBridge::TxGetMaxLength(DWORD* length) {
    const LONG limit = m_host.TxGetMaxLength();
    *length = limit > 0 ? static_cast<DWORD>(limit) : 0;
    return S_OK;
}

HRESULT TextHostBridge::TxGetScrollBars(DWORD* bars) {
    *bars = m_host.TxGetScrollBars();
    return S_OK;
}

HRESULT TextHostBridge::TxGetPasswordChar(TCHAR* character) {
    *character = m_host.TxGetPasswordChar();
    return S_OK;
}

HRESULT TextHostBridge::TxGetAcceleratorPos(LONG* position) {
    *position = -1;
    return S_OK;
}

// No zoom: the extent is the client rectangle's.
HRESULT TextHostBridge::TxGetExtent(LPSIZEL /*extent*/) {
    return E_NOTIMPL;
}

HRESULT TextHostBridge::OnTxCharFormatChange(const CHARFORMATW* /*format*/) {
    return S_OK;
}

HRESULT TextHostBridge::OnTxParaFormatChange(const PARAFORMAT* /*format*/) {
    return S_OK;
}

HRESULT TextHostBridge::TxGetPropertyBits(DWORD mask, DWORD* bits) {
    *bits = m_host.TxGetPropertyBits(mask);
    return S_OK;
}

HRESULT TextHostBridge::TxNotify(DWORD code, void* data) {
    return m_host.TxNotify(code, data);
}

HIMC TextHostBridge::TxImmGetContext() {
    HWND window = m_host.TxGetWindow();
    return window != nullptr ? ImmGetContext(window) : nullptr;
}

void TextHostBridge::TxImmReleaseContext(HIMC context) {
    if (HWND window = m_host.TxGetWindow(); window != nullptr && context != nullptr) {
        ImmReleaseContext(window, context);
    }
}

HRESULT TextHostBridge::TxGetSelectionBarWidth(LONG* width) {
    *width = 0;
    return S_OK;
}

}  // namespace platform
