// The text services object's messages, properties, text and selection.

#include <algorithm>
#include <cstring>

#include "platform/text_services/text_services.h"

namespace platform {

namespace {

// What a rich edit holds when no limit is given.
constexpr std::size_t kDefaultLimit = 32767;

}  // namespace

CTextServices::CTextServices(ITextHost& host) : m_host(host) {
    ReadHostProperties();
    RelayoutAll();
}

CTextServices::~CTextServices() {
    if (m_selecting) {
        m_host.TxSetCapture(FALSE);
    }
}

void CTextServices::ReadHostProperties() {
    m_properties = m_host.TxGetPropertyBits(~DWORD{0});
    m_scrollBars = m_host.TxGetScrollBars();
    m_font = m_host.TxGetFont();
    m_textColor = m_host.TxGetTextColor();
    const LONG limit = m_host.TxGetMaxLength();
    m_limit = limit > 0 ? static_cast<std::size_t>(limit) : kDefaultLimit;
    m_passwordChar = m_host.TxGetPasswordChar();
    if (m_passwordChar == 0) {
        m_passwordChar = L'*';
    }
    m_alignment = m_host.TxGetAlignment();
}

void CTextServices::OnTxInPlaceActivate() {
    m_active = true;
    OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, 0);
}

void CTextServices::OnTxPropertyBitsChange(DWORD mask, DWORD /*bits*/) {
    const int oldWidth = m_layoutWidth;
    const FontSpec oldFont = m_font;
    const DWORD oldProperties = m_properties;
    const DWORD oldAlignment = m_alignment;
    ReadHostProperties();
    if (m_updatingScrollBars) {
        // Showing or hiding a bar moved the client rectangle: the scroll-bar
        // update lays out again when it is done.
        m_clientChanged = true;
        return;
    }
    const DWORD shape = TXTBIT_USEPASSWORD | TXTBIT_WORDWRAP | TXTBIT_MULTILINE;
    if ((mask & (TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE)) != 0 || m_font != oldFont ||
        ((m_properties ^ oldProperties) & shape) != 0 || m_alignment != oldAlignment ||
        WrapWidth() != oldWidth) {
        RelayoutAll();
    }
    UpdateScrollBars();
    ScrollTo(m_scrollX, m_scrollY);
    m_host.TxInvalidateRect(nullptr);
    UpdateCaret();
}

void CTextServices::TxSetText(std::wstring_view text) {
    m_document.SetText(Property(TXTBIT_MULTILINE) ? text
                                                  : text.substr(0, text.find_first_of(L"\r\n")));
    m_anchor = m_caret = TextPosition{};
    m_scrollX = m_scrollY = 0;
    RelayoutAll();
    UpdateScrollBars();
    m_host.TxViewChange(TRUE);
    m_host.TxInvalidateRect(nullptr);
    UpdateCaret();
}

CHARRANGE CTextServices::Selection() const {
    return CHARRANGE{static_cast<LONG>(m_document.IndexOf(SelectionStart())),
                     static_cast<LONG>(m_document.IndexOf(SelectionEnd()))};
}

void CTextServices::SetSelection(TextPosition anchor, TextPosition caret) {
    const TextPosition oldAnchor = m_anchor;
    const TextPosition oldCaret = m_caret;
    m_anchor = anchor;
    m_caret = caret;
    m_caretX = -1;
    InvalidateSelectionChange(oldAnchor, oldCaret);
    ScrollCaretIntoView();
    UpdateCaret();
}

// cpMin -1 removes the selection; cpMax -1 (or past the end) is the end.
void CTextServices::SetSelection(const CHARRANGE& range) {
    if (range.cpMin < 0) {
        SetSelection(m_caret, m_caret);
        return;
    }
    const std::size_t length = m_document.Length();
    const std::size_t first = std::min<std::size_t>(static_cast<std::size_t>(range.cpMin), length);
    const std::size_t last =
        range.cpMax < 0 ? length
                        : std::min<std::size_t>(static_cast<std::size_t>(range.cpMax), length);
    SetSelection(m_document.PositionOf(first), m_document.PositionOf(last));
}

bool CTextServices::ReplaceSelection(std::wstring_view text, bool ignoreLimit) {
    if (!Property(TXTBIT_MULTILINE)) {
        text = text.substr(0, text.find_first_of(L"\r\n"));
    }
    const std::size_t selected =
        m_document.IndexOf(SelectionEnd()) - m_document.IndexOf(SelectionStart());
    const std::size_t kept = m_document.Length() - selected;
    std::wstring inserted(text);
    if (!ignoreLimit && kept + inserted.size() > m_limit) {
        // "\r\n" counts once: cut by characters of the result, not of the input.
        const std::size_t room = m_limit > kept ? m_limit - kept : 0;
        TextDocument probe;
        probe.SetText(inserted);
        if (probe.Length() > room) {
            inserted = probe.TextBetween(TextPosition{}, probe.PositionOf(room));
            m_host.TxNotify(EN_MAXTEXT, nullptr);
        }
    }
    if (inserted.empty() && selected == 0) {
        return false;
    }
    ParagraphChange change;
    const TextPosition end = m_document.Replace(SelectionStart(), SelectionEnd(), inserted, change);
    m_anchor = m_caret = end;
    m_caretX = -1;
    TextChanged(change, Relayout(change));
    return true;
}

LRESULT CTextServices::GetTextInto(wchar_t* buffer, std::size_t capacity) const {
    if (buffer == nullptr || capacity == 0) {
        return 0;
    }
    const std::wstring text = m_document.Text();
    const std::size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count * sizeof(wchar_t));
    buffer[count] = 0;
    return static_cast<LRESULT>(count);
}

LRESULT CTextServices::TxSendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            TxSetText(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            return TRUE;
        case WM_GETTEXTLENGTH:
        case EM_GETTEXTLENGTHEX:
            return static_cast<LRESULT>(m_document.Length());
        case WM_GETTEXT:
            return GetTextInto(reinterpret_cast<wchar_t*>(lParam), wParam);
        case EM_GETTEXTEX: {
            const auto* request = reinterpret_cast<const GETTEXTEX*>(wParam);
            return request != nullptr ? GetTextInto(reinterpret_cast<wchar_t*>(lParam),
                                                    request->cb / sizeof(wchar_t))
                                      : 0;
        }
        case EM_EXSETSEL:
            if (lParam != 0) {
                SetSelection(*reinterpret_cast<const CHARRANGE*>(lParam));
            }
            return Selection().cpMax;
        case EM_SETSEL:
            SetSelection(CHARRANGE{static_cast<LONG>(wParam), static_cast<LONG>(lParam)});
            return 0;
        case EM_EXGETSEL:
            if (lParam != 0) {
                *reinterpret_cast<CHARRANGE*>(lParam) = Selection();
            }
            return 0;
        case EM_GETSEL: {
            const CHARRANGE range = Selection();
            if (wParam != 0) {
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(range.cpMin);
            }
            if (lParam != 0) {
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(range.cpMax);
            }
            return MAKELPARAM(range.cpMin, range.cpMax);
        }
        case EM_REPLACESEL:
            ReplaceSelection(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"", false);
            return 0;
        case EM_EXLIMITTEXT:
        case EM_LIMITTEXT: {
            const auto limit =
                static_cast<std::size_t>(message == EM_EXLIMITTEXT ? lParam : wParam);
            m_limit = limit > 0 ? limit : kDefaultLimit;
            return 0;
        }
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(m_limit);
        case EM_SETREADONLY:
            m_properties =
                wParam != 0 ? m_properties | TXTBIT_READONLY : m_properties & ~TXTBIT_READONLY;
            return TRUE;
        case EM_SETLANGOPTIONS:
            return TRUE;
        case WM_KEYDOWN:
            return OnKeyDown(wParam);
        case WM_CHAR:
            return OnChar(static_cast<wchar_t>(wParam));
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return OnMouse(message, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            ScrollTo(m_scrollX, m_scrollY - notches * 3 * MeasureFont(m_font).height);
            return 0;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            OnScroll(message == WM_VSCROLL, wParam);
            return 0;
        case WM_SETFOCUS:
            m_focused = true;
            UpdateCaret();
            InvalidateSelectionChange(m_caret, m_caret);
            return 0;
        case WM_KILLFOCUS:
            m_focused = false;
            if (m_caretCreated) {
                m_host.TxShowCaret(FALSE);
                m_caretCreated = false;
            }
            InvalidateSelectionChange(m_caret, m_caret);
            return 0;
        case WM_COPY:
            Copy();
            return 0;
        case WM_CUT:
            Cut();
            return 0;
        case WM_PASTE:
            Paste();
            return 0;
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_IME_ENDCOMPOSITION:
            OnComposition(message);
            return 0;
        default:
            return 0;
    }
}

}  // namespace platform
