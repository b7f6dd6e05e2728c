#include "ui/control/rich_edit/rich_edit_host.h"

#include "platform/window/window_api.h"
#include "ui/control/rich_edit/ime_candidates.h"
#include "ui/control/rich_edit/rich_edit.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CTxtWinHost::CTxtWinHost(CRichEditUI& owner, DWORD style)
    : m_owner(owner),
      m_style(style),
      m_wordWrap((style & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0),
      m_rich(owner.IsRich()) {
    m_clientRect = owner.TextArea();
}

std::unique_ptr<CTxtWinHost> CTxtWinHost::Create(CRichEditUI& owner, DWORD style,
                                                 std::string& error) {
    std::unique_ptr<CTxtWinHost> host(new CTxtWinHost(owner, style));
    host->m_services = platform::CTextServices::Create(*host, error);
    if (host->m_services == nullptr) {
        return nullptr;
    }
    return host;
}

CTxtWinHost::~CTxtWinHost() {
    // The text services call their host back while they go.
    m_services.reset();
    if (m_caretVisible) {
        DestroyCaret();
    }
    if (m_capture && m_owner.GetManager() != nullptr) {
        m_owner.GetManager()->ReleaseMouse();
    }
}

void CTxtWinHost::SetClientRect(const RECT& rect) {
    if (rect == m_clientRect) {
        return;
    }
    m_clientRect = rect;
    PropertyChanged(TXTBIT_CLIENTRECTCHANGE);
}

void CTxtWinHost::PropertyChanged(DWORD bit) {
    m_services->OnTxPropertyBitsChange(bit, TxGetPropertyBits(~DWORD{0}));
}

HWND CTxtWinHost::TxGetWindow() {
    CWindowManagerUI* manager = m_owner.GetManager();
    return manager != nullptr ? manager->WindowHandle() : nullptr;
}

TXTBACKSTYLE CTxtWinHost::TxGetBackStyle() {
    return m_owner.IsTransparent() ? TXTBACK_TRANSPARENT : TXTBACK_OPAQUE;
}

platform::FontSpec CTxtWinHost::TxGetFont() {
    CWindowManagerUI* manager = m_owner.GetManager();
    const FontInfo* font = manager != nullptr ? manager->FontById(m_owner.GetFont()) : nullptr;
    return font != nullptr ? *font : platform::FontSpec{};
}

// The character format has no alpha: a colour is always opaque.
DWORD CTxtWinHost::TxGetTextColor() {
    return m_owner.GetTextColor() | 0xFF000000;
}

DWORD CTxtWinHost::TxGetPropertyBits(DWORD mask) {
    DWORD bits = 0;
    bits |= (m_style & ES_MULTILINE) != 0 ? TXTBIT_MULTILINE : 0;
    bits |= (m_style & ES_READONLY) != 0 || m_owner.IsReadOnly() ? TXTBIT_READONLY : 0;
    bits |= (m_style & ES_PASSWORD) != 0 ? TXTBIT_USEPASSWORD : 0;
    bits |= (m_style & ES_NOHIDESEL) == 0 ? TXTBIT_HIDESELECTION : 0;
    bits |= m_rich ? TXTBIT_RICHTEXT : 0;
    bits |= m_wordWrap ? TXTBIT_WORDWRAP : 0;
    return bits & mask;
}

DWORD CTxtWinHost::TxGetScrollBars() {
    return m_style &
           (WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_DISABLENOSCROLL);
}

LONG CTxtWinHost::TxGetMaxLength() {
    return m_owner.GetLimitText();
}

void CTxtWinHost::ShowBar(int bar, bool show) {
    CScrollBarUI* target =
        bar == SB_VERT ? m_owner.GetVerticalScrollBar() : m_owner.GetHorizontalScrollBar();
    if (target == nullptr || target->IsVisible() == show) {
        return;
    }
    target->SetVisible(show);
    if (!show) {
        target->SetPosition(0, false);
    }
    m_owner.UpdateHostClientRect();
    m_owner.Invalidate();
}

BOOL CTxtWinHost::TxShowScrollBar(int bar, BOOL show) {
    if (bar == SB_VERT || bar == SB_BOTH) {
        ShowBar(SB_VERT, show != FALSE);
    }
    if (bar == SB_HORZ || bar == SB_BOTH) {
        ShowBar(SB_HORZ, show != FALSE);
    }
    return TRUE;
}

BOOL CTxtWinHost::TxEnableScrollBar(int bars, int arrows) {
    const bool vertical = bars == SB_VERT || bars == SB_BOTH;
    const bool horizontal = bars == SB_HORZ || bars == SB_BOTH;
    m_owner.SetScrollBarsEnabled(vertical || m_owner.GetVerticalScrollBar() != nullptr,
                                 horizontal || m_owner.GetHorizontalScrollBar() != nullptr);
    return TxShowScrollBar(bars, arrows != ESB_DISABLE_BOTH);
}

// The text services give the text's whole extent; a bar scrolls what exceeds
// the client rectangle.
BOOL CTxtWinHost::TxSetScrollRange(int bar, LONG minimum, LONG maximum, BOOL /*redraw*/) {
    const bool vertical = bar == SB_VERT;
    CScrollBarUI* target =
        vertical ? m_owner.GetVerticalScrollBar() : m_owner.GetHorizontalScrollBar();
    if (target == nullptr) {
        return FALSE;
    }
    const LONG page =
        vertical ? m_clientRect.bottom - m_clientRect.top : m_clientRect.right - m_clientRect.left;
    const LONG excess = maximum - minimum - page;
    ShowBar(bar, excess > 0);
    target->SetRange(excess > 0 ? static_cast<int>(excess) : 0);
    return TRUE;
}

BOOL CTxtWinHost::TxSetScrollPos(int bar, int position, BOOL /*redraw*/) {
    CScrollBarUI* target =
        bar == SB_VERT ? m_owner.GetVerticalScrollBar() : m_owner.GetHorizontalScrollBar();
    if (target != nullptr) {
        target->SetPosition(position, true);
    }
    return TRUE;
}

void CTxtWinHost::TxInvalidateRect(const RECT* rect) {
    if (CWindowManagerUI* manager = m_owner.GetManager()) {
        manager->Invalidate(rect != nullptr ? *rect : m_clientRect);
    }
}

void CTxtWinHost::TxViewChange(BOOL update) {
    if (update != FALSE && m_owner.OnTextViewChanged()) {
        m_owner.Invalidate();
    }
}

BOOL CTxtWinHost::TxCreateCaret(int width, int height) {
    CWindowManagerUI* manager = m_owner.GetManager();
    if (manager == nullptr) {
        return FALSE;
    }
    m_caretVisible = false;
    return CreateCaret(manager->WindowHandle(), nullptr, width, height);
}

BOOL CTxtWinHost::TxShowCaret(BOOL show) {
    CWindowManagerUI* manager = m_owner.GetManager();
    if (manager == nullptr || (show != FALSE) == m_caretVisible) {
        return FALSE;
    }
    m_caretVisible = show != FALSE;
    return m_caretVisible ? ShowCaret(manager->WindowHandle()) : HideCaret(manager->WindowHandle());
}

BOOL CTxtWinHost::TxSetCaretPos(int x, int y) {
    return SetCaretPos(x, y);
}

BOOL CTxtWinHost::TxSetTimer(UINT id, UINT timeout) {
    CWindowManagerUI* manager = m_owner.GetManager();
    return manager != nullptr && manager->StartTimer(&m_owner, id, timeout) ? TRUE : FALSE;
}

void CTxtWinHost::TxKillTimer(UINT id) {
    if (CWindowManagerUI* manager = m_owner.GetManager()) {
        manager->StopTimer(&m_owner, id);
    }
}

void CTxtWinHost::TxSetCapture(BOOL capture) {
    CWindowManagerUI* manager = m_owner.GetManager();
    m_capture = capture != FALSE;
    if (manager == nullptr) {
        return;
    }
    if (m_capture) {
        manager->CaptureMouse();
    } else {
        manager->ReleaseMouse();
    }
}

void CTxtWinHost::TxSetFocus() {
    m_owner.SetFocus();
}

void CTxtWinHost::TxSetCursor(HCURSOR cursor) {
    SetCursor(cursor);
}

void CTxtWinHost::TxSetImeRect(const RECT& rect) {
    if (CWindowManagerUI* manager = m_owner.GetManager()) {
        PlaceImeCandidates(manager->WindowHandle(), rect);
    }
}

HRESULT CTxtWinHost::TxNotify(DWORD code, void* data) {
    if (code == EN_REQUESTRESIZE) {
        return S_OK;
    }
    m_owner.OnTextNotify(code, data);
    return S_OK;
}

}  // namespace VantuUI
