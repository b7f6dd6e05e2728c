#include "ui/control/list/items/list_text_element.h"

#include "platform/window/window_api.h"
#include "ui/control/list/header/list_header.h"
#include "ui/control/rect_math.h"

namespace VantuUI {

std::wstring CListTextElementUI::GetClass() const {
    return L"ListTextElement";
}

void* CListTextElementUI::FindInterface(const std::wstring& name) {
    if (name == L"ListTextElement") {
        return this;
    }
    return CListLabelElementUI::FindInterface(name);
}

UINT CListTextElementUI::GetInputFlags() {
    return IsEnabled() && m_linkCount > 0 ? UIFLAG_SETCURSOR : 0;
}

std::wstring CListTextElementUI::GetColumnText(int column) const {
    std::wstring text;
    if (column == 0) {
        text = m_text;
    } else if (column > 0 && static_cast<size_t>(column) <= m_columnTexts.size()) {
        text = m_columnTexts[static_cast<size_t>(column - 1)];
    }
    if (text.empty()) {
        if (IListUI* list = m_link.List(); list != nullptr && list->GetTextCallback() != nullptr) {
            text = list->GetTextCallback()->GetItemText(const_cast<CListTextElementUI*>(this),
                                                        m_link.index, column);
        }
    }
    return text;
}

void CListTextElementUI::SetColumnText(int column, const std::wstring& text) {
    if (column < 0 || column >= kMaxListColumns) {
        return;
    }
    if (column == 0) {
        SetText(text);
        return;
    }
    if (m_columnTexts.size() < static_cast<size_t>(column)) {
        m_columnTexts.resize(static_cast<size_t>(column));
    }
    m_columnTexts[static_cast<size_t>(column - 1)] = text;
    Invalidate();
}

TListColumnsUI CListTextElementUI::Columns() const {
    TListColumnsUI columns;
    if (IListUI* list = m_link.List(); list != nullptr && list->GetHeader() != nullptr) {
        columns = list->GetHeader()->GetColumns();
    }
    if (columns.count == 0) {
        columns.count = 1;
        columns.rects[0] = m_itemRect;
    }
    return columns;
}

int CListTextElementUI::LinkAt(POINT point) const {
    for (int i = 0; i < m_linkCount; ++i) {
        if (RectContains(m_linkRects[i], point)) {
            return i;
        }
    }
    return -1;
}

void CListTextElementUI::HandleEvent(TInputEventUI& event) {
    if (IsEnabled() && m_linkCount > 0) {
        const int link = LinkAt(event.MousePoint);
        switch (event.Kind) {
            case UIEVENT_SETCURSOR:
                if (link >= 0) {
                    SetCursor(LoadCursor(nullptr, IDC_HAND));
                    return;
                }
                break;
            case UIEVENT_BUTTONUP:
                if (link >= 0) {
                    RaiseListNotification(*this, L"link", static_cast<WPARAM>(link));
                    return;
                }
                break;
            case UIEVENT_MOUSEMOVE:
                if (link != m_hoveredLink) {
                    m_hoveredLink = link;
                    Invalidate();
                }
                return;
            case UIEVENT_MOUSELEAVE:
                if (m_hoveredLink >= 0) {
                    m_hoveredLink = -1;
                    Invalidate();
                }
                break;
            default:
                break;
        }
    }
    CListLabelElementUI::HandleEvent(event);
}

void CListTextElementUI::PaintTextLayer(HDC dc) {
    TListItemStyleUI* style = Style();
    if (style == nullptr) {
        return;
    }
    const DWORD color = ListItemTextColor(*style, State());
    const TListColumnsUI columns = Columns();
    m_linkCount = 0;
    for (int i = 0; i < columns.count; ++i) {
        const RECT cell{columns.rects[i].left, m_itemRect.top, columns.rects[i].right,
                        m_itemRect.bottom};
        int found = kMaxLinks - m_linkCount;
        DrawListItemText(dc, *this, *style, color, cell, GetColumnText(i),
                         m_linkRects + m_linkCount, m_linkTexts + m_linkCount, &found);
        m_linkCount += style->showHtml ? found : 0;
    }
}

void CListTextElementUI::PaintBorderLayer(HDC dc) {
    if (TListItemStyleUI* style = Style()) {
        const TListColumnsUI columns = Columns();
        PaintListItemLines(dc, m_itemRect, *style, &columns);
    }
    CControlUI::PaintBorderLayer(dc);
}

}  // namespace VantuUI
