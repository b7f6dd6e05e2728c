// The text services object's view: paragraph layouts and their tops,
// scrolling and the host's scroll bars, the caret, invalidation and drawing.

#include <cairo.h>

#include <algorithm>

#include "platform/gdi/font_spec.h"
#include "platform/gdi/rect_geometry.h"
#include "platform/gdi/system_values.h"
#include "platform/text_services/text_services.h"

namespace platform {

namespace {

void SetSourceArgb(HDC dc, DWORD argb) {
    cairo_set_source_rgba(dc, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, 1.0);
}

}  // namespace

int CTextServices::WrapWidth() const {
    if (!Property(TXTBIT_MULTILINE) || !Property(TXTBIT_WORDWRAP)) {
        return 0;
    }
    // Not placed yet: lines stay whole until there is a width to wrap at.
    const int width = Width(m_host.TxGetClientRect());
    return width > 0 ? width : 0;
}

std::wstring CTextServices::ShownText(std::size_t paragraph) const {
    const std::wstring& text = m_document.Paragraph(paragraph);
    std::wstring shown =
        Property(TXTBIT_USEPASSWORD) ? std::wstring(text.size(), m_passwordChar) : text;
    if (!m_composition.empty() && paragraph == m_caret.paragraph) {
        shown.insert(m_caret.offset, m_composition);
    }
    return shown;
}

void CTextServices::LayOut(std::size_t paragraph) {
    controls::CharacterLayoutOptions options;
    options.font = m_font;
    options.wrapWidth = m_layoutWidth;
    options.alignment = (m_alignment & ES_CENTER) != 0  ? PANGO_ALIGN_CENTER
                        : (m_alignment & ES_RIGHT) != 0 ? PANGO_ALIGN_RIGHT
                                                        : PANGO_ALIGN_LEFT;
    if (!m_composition.empty() && paragraph == m_caret.paragraph) {
        options.underlineStart = m_caret.offset;
        options.underlineEnd = m_caret.offset + m_composition.size();
    }
    ParagraphView& view = m_views[paragraph];
    view.layout =
        std::make_unique<controls::CharacterLayout>(nullptr, ShownText(paragraph), options);
    const SIZE extent = view.layout->Extent();
    view.width = extent.cx;
    view.height = std::max<int>(extent.cy, MeasureFont(m_font).height);
}

void CTextServices::RelayoutAll() {
    m_layoutWidth = WrapWidth();
    m_views.clear();
    m_views.resize(m_document.ParagraphCount());
    for (std::size_t p = 0; p < m_views.size(); ++p) {
        LayOut(p);
    }
    m_tops.assign(m_views.size(), 0);
    m_topsValid = 0;
}

bool CTextServices::Relayout(ParagraphChange change) {
    const auto first = m_views.begin() + static_cast<std::ptrdiff_t>(change.first);
    const int oldHeight = change.removed == 1 ? first->height : -1;
    if (change.removed > change.inserted) {
        m_views.erase(first, first + static_cast<std::ptrdiff_t>(change.removed - change.inserted));
    } else if (change.inserted > change.removed) {
        std::vector<ParagraphView> added(change.inserted - change.removed);
        m_views.insert(first, std::make_move_iterator(added.begin()),
                       std::make_move_iterator(added.end()));
    }
    for (std::size_t p = change.first; p < change.first + change.inserted; ++p) {
        LayOut(p);
    }
    m_tops.resize(m_views.size());
    // Typing that keeps a paragraph's height moves nothing below it.
    const bool sameShape =
        change.removed == 1 && change.inserted == 1 && m_views[change.first].height == oldHeight;
    if (!sameShape) {
        m_topsValid = std::min(m_topsValid, change.first + 1);
    }
    return !sameShape;
}

int CTextServices::ParagraphTop(std::size_t paragraph) {
    if (m_topsValid == 0) {
        m_tops[0] = 0;
        m_topsValid = 1;
    }
    for (; m_topsValid <= paragraph; ++m_topsValid) {
        m_tops[m_topsValid] = m_tops[m_topsValid - 1] + m_views[m_topsValid - 1].height;
    }
    return m_tops[paragraph];
}

int CTextServices::ContentHeight() {
    const std::size_t last = m_views.size() - 1;
    return ParagraphTop(last) + m_views[last].height;
}

int CTextServices::TxGetNaturalHeight(int width) {
    if (width == m_layoutWidth || (!Property(TXTBIT_WORDWRAP) && m_layoutWidth == 0)) {
        return ContentHeight();
    }
    int height = 0;
    for (std::size_t p = 0; p < m_document.ParagraphCount(); ++p) {
        controls::CharacterLayoutOptions options;
        options.font = m_font;
        options.wrapWidth = Property(TXTBIT_WORDWRAP) ? std::max(1, width) : 0;
        const SIZE extent = controls::CharacterLayout(nullptr, ShownText(p), options).Extent();
        height += std::max<int>(extent.cy, MeasureFont(m_font).height);
    }
    return height;
}

std::size_t CTextServices::ParagraphAtY(int y) {
    ContentHeight();  // every top known
    const auto it = std::upper_bound(m_tops.begin(), m_tops.end(), y);
    return it == m_tops.begin() ? 0 : static_cast<std::size_t>(it - m_tops.begin()) - 1;
}

POINT CTextServices::TextOrigin() const {
    const RECT client = m_host.TxGetClientRect();
    return POINT{client.left - m_scrollX, client.top - m_scrollY};
}

int CTextServices::MaxScrollY() {
    return std::max(0, ContentHeight() - Height(m_host.TxGetClientRect()));
}

int CTextServices::MaxScrollX() {
    if (m_layoutWidth > 0) {
        return 0;
    }
    int widest = 0;
    for (const auto& view : m_views) {
        widest = std::max(widest, view.width);
    }
    return std::max(0, widest + 1 - Width(m_host.TxGetClientRect()));
}

void CTextServices::UpdateScrollBars() {
    if (m_updatingScrollBars) {
        return;
    }
    m_updatingScrollBars = true;
    // A bar that appears or goes narrows or widens the text, which may change
    // its height again: a few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        m_clientChanged = false;
        const RECT client = m_host.TxGetClientRect();
        if ((m_scrollBars & WS_VSCROLL) != 0 && Property(TXTBIT_MULTILINE)) {
            m_host.TxSetScrollRange(SB_VERT, 0, ContentHeight(), TRUE);
            m_scrollY = std::clamp(m_scrollY, 0, MaxScrollY());
            m_host.TxSetScrollPos(SB_VERT, m_scrollY, TRUE);
        }
        if ((m_scrollBars & WS_HSCROLL) != 0) {
            m_host.TxSetScrollRange(SB_HORZ, 0, MaxScrollX() + Width(client), TRUE);
            m_scrollX = std::clamp(m_scrollX, 0, MaxScrollX());
            m_host.TxSetScrollPos(SB_HORZ, m_scrollX, TRUE);
        }
        if (!m_clientChanged) {
            break;
        }
        if (WrapWidth() != m_layoutWidth) {
            RelayoutAll();
        }
    }
    m_updatingScrollBars = false;
}

void CTextServices::ScrollTo(int x, int y) {
    x = std::clamp(x, 0, MaxScrollX());
    y = std::clamp(y, 0, MaxScrollY());
    if (x == m_scrollX && y == m_scrollY) {
        return;
    }
    if (y != m_scrollY) {
        m_scrollY = y;
        m_host.TxSetScrollPos(SB_VERT, y, TRUE);
    }
    if (x != m_scrollX) {
        m_scrollX = x;
        m_host.TxSetScrollPos(SB_HORZ, x, TRUE);
    }
    m_host.TxInvalidateRect(nullptr);
    UpdateCaret();
}

// The thumb position rides above the low word; all of WPARAM's width is
// taken, so texts taller than 65,535 pixels scroll to their end.
void CTextServices::OnScroll(bool vertical, WPARAM request) {
    const RECT client = m_host.TxGetClientRect();
    const int line = vertical ? MeasureFont(m_font).height : MeasureFont(m_font).averageCharWidth;
    const int page = vertical ? Height(client) : Width(client);
    const int now = vertical ? m_scrollY : m_scrollX;
    int target = now;
    switch (LOWORD(request)) {
        case SB_LINEUP:
            target = now - line;
            break;
        case SB_LINEDOWN:
            target = now + line;
            break;
        case SB_PAGEUP:
            target = now - page;
            break;
        case SB_PAGEDOWN:
            target = now + page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            target = static_cast<int>(std::min<WPARAM>(request >> 16, 0x7FFFFFFF));
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = vertical ? MaxScrollY() : MaxScrollX();
            break;
        default:
            return;
    }
    vertical ? ScrollTo(m_scrollX, target) : ScrollTo(target, m_scrollY);
}

RECT CTextServices::CaretRectInText(TextPosition position) {
    const ParagraphView& view = m_views[position.paragraph];
    std::size_t offset = position.offset;
    if (!m_composition.empty() && position == m_caret) {
        offset += m_composition.size();
    }
    RECT r = view.layout->CaretRect(offset);
    const int top = ParagraphTop(position.paragraph);
    r.top += top;
    r.bottom += top;
    return r;
}

// Only a focused text follows its caret: text set or selected from outside
// leaves the view where it is.
void CTextServices::ScrollCaretIntoView() {
    if (!m_focused) {
        return;
    }
    const RECT client = m_host.TxGetClientRect();
    const RECT caret = CaretRectInText(m_caret);
    int x = m_scrollX;
    int y = m_scrollY;
    if (caret.top < y) {
        y = caret.top;
    } else if (caret.bottom > y + Height(client)) {
        y = caret.bottom - Height(client);
    }
    if (caret.left < x) {
        x = caret.left;
    } else if (caret.right > x + Width(client)) {
        x = caret.right - Width(client);
    }
    ScrollTo(x, y);
}

void CTextServices::UpdateCaret() {
    if (!m_focused) {
        return;
    }
    const POINT origin = TextOrigin();
    RECT caret = CaretRectInText(m_caret);
    caret = RECT{caret.left + origin.x, caret.top + origin.y, caret.right + origin.x,
                 caret.bottom + origin.y};
    if (!m_caretCreated) {
        m_host.TxCreateCaret(1, caret.bottom - caret.top);
        m_caretCreated = true;
        m_host.TxSetCaretPos(caret.left, caret.top);
        m_host.TxShowCaret(TRUE);
    } else {
        m_host.TxSetCaretPos(caret.left, caret.top);
    }
    m_host.TxSetImeRect(caret);
}

TextPosition CTextServices::PositionAt(POINT clientPoint) {
    const POINT origin = TextOrigin();
    const int y = std::clamp<int>(clientPoint.y - origin.y, 0, std::max(0, ContentHeight() - 1));
    const std::size_t paragraph = ParagraphAtY(y);
    const std::size_t index = m_views[paragraph].layout->IndexAt(
        POINT{clientPoint.x - origin.x, y - ParagraphTop(paragraph)});
    return TextPosition{paragraph, std::min(index, m_document.Paragraph(paragraph).size())};
}

void CTextServices::InvalidateParagraphs(std::size_t first, std::size_t last) {
    const RECT client = m_host.TxGetClientRect();
    const POINT origin = TextOrigin();
    RECT area{client.left, origin.y + ParagraphTop(first), client.right,
              origin.y + ParagraphTop(last) + m_views[last].height};
    if (Intersect(area, area, client)) {
        m_host.TxInvalidateRect(&area);
    }
}

void CTextServices::InvalidateSelectionChange(TextPosition oldAnchor, TextPosition oldCaret) {
    if (oldAnchor == oldCaret && m_anchor == m_caret) {
        return;
    }
    const std::size_t first =
        std::min({oldAnchor.paragraph, oldCaret.paragraph, m_anchor.paragraph, m_caret.paragraph});
    const std::size_t last =
        std::max({oldAnchor.paragraph, oldCaret.paragraph, m_anchor.paragraph, m_caret.paragraph});
    InvalidateParagraphs(first, last);
}

void CTextServices::TextChanged(const ParagraphChange& change, bool moved) {
    if (moved) {
        // Tops below moved: everything from the edit down shows anew.
        const RECT client = m_host.TxGetClientRect();
        RECT area{client.left, TextOrigin().y + ParagraphTop(change.first), client.right,
                  client.bottom};
        if (Intersect(area, area, client)) {
            m_host.TxInvalidateRect(&area);
        }
    } else {
        InvalidateParagraphs(change.first, change.first);
    }
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    m_host.TxNotify(EN_CHANGE, nullptr);
}

void CTextServices::TxDraw(HDC dc, const RECT& update) {
    const RECT client = m_host.TxGetClientRect();
    RECT clip;
    if (!Intersect(clip, client, update)) {
        return;
    }
    cairo_save(dc);
    cairo_rectangle(dc, clip.left, clip.top, Width(clip), Height(clip));
    cairo_clip(dc);
    if (m_host.TxGetBackStyle() == TXTBACK_OPAQUE) {
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        cairo_set_source_rgb(dc, GetRValue(window) / 255.0, GetGValue(window) / 255.0,
                             GetBValue(window) / 255.0);
        cairo_paint(dc);
    }
    const POINT origin = TextOrigin();
    const TextPosition start = SelectionStart();
    const TextPosition end = SelectionEnd();
    const bool showSelection = start != end && (m_focused || !Property(TXTBIT_HIDESELECTION));
    for (std::size_t p = ParagraphAtY(clip.top - origin.y); p < m_views.size(); ++p) {
        const int top = origin.y + ParagraphTop(p);
        if (top >= clip.bottom) {
            break;
        }
        const ParagraphView& view = m_views[p];
        SetSourceArgb(dc, m_textColor);
        view.layout->Draw(dc, origin.x, top);
        if (showSelection && p >= start.paragraph && p <= end.paragraph) {
            const std::size_t from = p == start.paragraph ? start.offset : 0;
            // A selected break shows as a little more selection past the line.
            const std::size_t to =
                p == end.paragraph ? end.offset : m_document.Paragraph(p).size() + 1;
            view.layout->DrawSelection(dc, origin.x, top, from, to);
        }
    }
    cairo_restore(dc);
}

}  // namespace platform
