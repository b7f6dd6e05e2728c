// The text services object's input: editing keys and typed characters,
// mouse selection, the clipboard and the input method's composition.

#include <algorithm>

#include "platform/shell/clipboard.h"
#include "platform/text_services/text_services.h"
#include "platform/window/window_system.h"

namespace platform {

namespace {

bool KeyDown(int key) {
    return GetKeyState(key) < 0;
}

}  // namespace

void CTextServices::MoveCaret(TextPosition position, bool extend) {
    const int keptX = m_caretX;
    SetSelection(extend ? m_anchor : position, position);
    m_caretX = keptX;
}

// The caret moved by `lines` lines (wrapped lines count), keeping its x.
TextPosition CTextServices::VerticalTarget(int lines) {
    const RECT caret = CaretRectInText(m_caret);
    if (m_caretX < 0) {
        m_caretX = caret.left;
    }
    const int lineHeight = std::max<int>(1, caret.bottom - caret.top);
    const int y = caret.top + lineHeight / 2 + lines * lineHeight;
    if (y < 0) {
        return TextPosition{};
    }
    if (y >= ContentHeight()) {
        return m_document.End();
    }
    const POINT origin = TextOrigin();
    const int keptX = m_caretX;
    const TextPosition target = PositionAt(POINT{origin.x + keptX, origin.y + y});
    m_caretX = keptX;
    return target;
}

// The start or end of the caret's line as it shows (a wrapped paragraph has several).
TextPosition CTextServices::LineEdge(bool end) {
    const RECT caret = CaretRectInText(m_caret);
    const POINT origin = TextOrigin();
    const int y = origin.y + (caret.top + caret.bottom) / 2;
    // Far beyond any line, yet within what Pango units hold.
    const int x = end ? (1 << 20) : -(1 << 20);
    TextPosition edge = PositionAt(POINT{x, y});
    // Past the end of a wrapped line the hit lands before the next line's
    // first character: step back onto this line.
    if (end && edge.offset < m_document.Paragraph(edge.paragraph).size() && edge.offset > 0 &&
        CaretRectInText(edge).top != caret.top) {
        --edge.offset;
    }
    return edge;
}

LRESULT CTextServices::OnKeyDown(WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT);
    const bool control = KeyDown(VK_CONTROL);
    const bool readOnly = Property(TXTBIT_READONLY);
    const bool selection = m_anchor != m_caret;
    const int page =
        std::max<int>(1, (m_host.TxGetClientRect().bottom - m_host.TxGetClientRect().top) /
                             std::max(1, MeasureFont(m_font).height));
    switch (key) {
        case VK_LEFT:
            if (selection && !shift) {
                MoveCaret(SelectionStart(), false);
            } else {
                MoveCaret(
                    control ? m_document.PreviousWordStart(m_caret) : m_document.Previous(m_caret),
                    shift);
            }
            return 0;
        case VK_RIGHT:
            if (selection && !shift) {
                MoveCaret(SelectionEnd(), false);
            } else {
                MoveCaret(control ? m_document.NextWordStart(m_caret) : m_document.Next(m_caret),
                          shift);
            }
            return 0;
        case VK_UP:
        case VK_DOWN:
            MoveCaret(VerticalTarget(key == VK_UP ? -1 : 1), shift);
            return 0;
        case VK_PRIOR:
        case VK_NEXT: {
            const int lines = key == VK_PRIOR ? -page : page;
            const TextPosition target = VerticalTarget(lines);
            const int keptX = m_caretX;
            OnScroll(true, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN);
            MoveCaret(target, shift);
            m_caretX = keptX;
            return 0;
        }
        case VK_HOME:
            MoveCaret(control ? TextPosition{} : LineEdge(false), shift);
            return 0;
        case VK_END:
            MoveCaret(control ? m_document.End() : LineEdge(true), shift);
            return 0;
        case VK_BACK:
        case VK_DELETE:
            if (shift && key == VK_DELETE) {
                Cut();
                return 0;
            }
            if (readOnly) {
                return 0;
            }
            if (!selection) {
                const bool back = key == VK_BACK;
                const TextPosition other =
                    back ? (control ? m_document.PreviousWordStart(m_caret)
                                    : m_document.Previous(m_caret))
                         : (control ? m_document.NextWordStart(m_caret) : m_document.Next(m_caret));
                m_anchor = other;
            }
            ReplaceSelection(L"", true);
            return 0;
        case VK_INSERT:
            if (control) {
                Copy();
            } else if (shift) {
                Paste();
            }
            return 0;
        case VK_RETURN:
            if (!readOnly && Property(TXTBIT_MULTILINE)) {
                ReplaceSelection(L"\n", false);
            }
            return 0;
        default:
            break;
    }
    if (control && !shift) {
        switch (key) {
            case 'A':
                SetSelection(TextPosition{}, m_document.End());
                return 0;
            case 'C':
                Copy();
                return 0;
            case 'X':
                Cut();
                return 0;
            case 'V':
                Paste();
                return 0;
            default:
                break;
        }
    }
    return 0;
}

// Return arrives as a key (above), other control characters are not text.
LRESULT CTextServices::OnChar(wchar_t c) {
    if (Property(TXTBIT_READONLY) || (c < 0x20 && c != L'\t') || c == 0x7F) {
        return 0;
    }
    ReplaceSelection(std::wstring(1, c), false);
    return 0;
}

LRESULT CTextServices::OnMouse(UINT message, WPARAM wParam, POINT point) {
    switch (message) {
        case WM_LBUTTONDOWN: {
            if (!m_focused) {
                m_host.TxSetFocus();
            }
            MoveCaret(PositionAt(point), (wParam & MK_SHIFT) != 0);
            m_caretX = -1;
            m_selecting = true;
            m_host.TxSetCapture(TRUE);
            return 0;
        }
        case WM_LBUTTONDBLCLK: {
            const auto [first, last] = m_document.WordAt(PositionAt(point));
            SetSelection(first, last);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (m_selecting && (wParam & MK_LBUTTON) != 0) {
                MoveCaret(PositionAt(point), true);
            }
            return 0;
        case WM_LBUTTONUP:
            if (m_selecting) {
                m_selecting = false;
                m_host.TxSetCapture(FALSE);
            }
            return 0;
        default:
            return 0;
    }
}

bool CTextServices::OnTxSetCursor(POINT point) {
    const RECT client = m_host.TxGetClientRect();
    if (point.x < client.left || point.x >= client.right || point.y < client.top ||
        point.y >= client.bottom) {
        return false;
    }
    m_host.TxSetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return true;
}

// A password is never copied out.
void CTextServices::Copy() {
    if (m_anchor != m_caret && !Property(TXTBIT_USEPASSWORD)) {
        SetClipboardText(m_document.TextBetween(m_anchor, m_caret));
    }
}

void CTextServices::Cut() {
    if (Property(TXTBIT_READONLY) || Property(TXTBIT_USEPASSWORD) || m_anchor == m_caret) {
        return;
    }
    Copy();
    ReplaceSelection(L"", true);
}

void CTextServices::Paste() {
    if (Property(TXTBIT_READONLY)) {
        return;
    }
    if (auto text = GetClipboardText()) {
        ReplaceSelection(*text, false);
    }
}

// The composition shows underlined at the caret until the input method
// types its result (as characters).
void CTextServices::OnComposition(UINT message) {
    std::wstring composition;
    if (message == WM_IME_COMPOSITION && !Property(TXTBIT_READONLY)) {
        composition = ImeComposition();
    }
    if (composition == m_composition) {
        return;
    }
    m_composition = std::move(composition);
    if (Relayout(ParagraphChange{m_caret.paragraph, 1, 1})) {
        UpdateScrollBars();
    }
    m_host.TxInvalidateRect(nullptr);
    UpdateCaret();
}

}  // namespace platform
