#include "ui/control/list/items/list_container_element.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/list/header/list_header.h"

namespace VantuUI {

std::wstring CListContainerElementUI::GetClass() const {
    return L"ListContainerElement";
}

void* CListContainerElementUI::FindInterface(const std::wstring& name) {
    if (name == L"ListContainerElement") {
        return this;
    }
    return CListItemBaseUI<CContainerUI>::FindInterface(name);
}

void CListContainerElementUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using C = CListContainerElementUI;
    static constexpr auto kAttributes = MakeAttributeTable<C>({
        {L"selected", [](C& c, const std::wstring& v) { c.ApplySelected(v); }},
        {L"expandable", [](C& c, const std::wstring& v) { c.SetExpandable(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CContainerUI::SetAttribute(name, value);
    }
}

SIZE CListContainerElementUI::GetDesiredSize(SIZE available) {
    SIZE size = m_fixedSize;
    if (size.cy <= 0) {
        TListItemStyleUI* style = Style();
        size.cy = style != nullptr ? ListItemHeight(*this, *style) : 0;
    }
    if (!m_link.expanded) {
        return size;
    }
    // Expanded: tall enough for the tallest child.
    for (CControlUI* child : m_items) {
        if (child->IsVisible() && !child->IsFloating()) {
            const RECT padding = child->GetPadding();
            const LONG wanted = child->GetDesiredSize(available).cy + padding.top + padding.bottom;
            size.cy = std::max(size.cy, wanted + m_inset.top + m_inset.bottom);
        }
    }
    return size;
}

bool CListContainerElementUI::Expand(bool expand) {
    if (!m_expandable) {
        return false;
    }
    if (m_link.expanded == expand) {
        return true;
    }
    m_link.expanded = expand;
    RequestParentLayout();
    RaiseListNotification(*this, expand ? L"itemexpand" : L"itemcollapse");
    return true;
}

void CListContainerElementUI::SetExpandable(bool expandable) {
    m_expandable = expandable;
    if (!expandable && m_link.expanded) {
        m_link.expanded = false;
        RequestParentLayout();
    }
}

bool CListContainerElementUI::Activate() {
    if (!CListItemBaseUI<CContainerUI>::Activate()) {
        return false;
    }
    if (m_expandable) {
        const bool expand = !m_link.expanded;
        if (IListUI* list = m_link.List()) {
            list->ExpandItem(m_link.index, expand);
        } else {
            Expand(expand);
        }
    }
    return true;
}

// --- CListHBoxElementUI ---

std::wstring CListHBoxElementUI::GetClass() const {
    return L"ListHBoxElement";
}

void* CListHBoxElementUI::FindInterface(const std::wstring& name) {
    if (name == L"ListHBoxElement") {
        return this;
    }
    return CListContainerElementUI::FindInterface(name);
}

void CListHBoxElementUI::SetItemRect(RECT rect, bool invalidate) {
    IListUI* list = m_link.List();
    const TListColumnsUI columns = list != nullptr && list->GetHeader() != nullptr
                                       ? list->GetHeader()->GetColumns()
                                       : TListColumnsUI{};
    if (columns.count == 0) {
        CContainerUI::SetItemRect(rect, invalidate);
        return;
    }
    CControlUI::SetItemRect(rect, invalidate);
    const RECT content = ContentArea();
    // Child n fills column n; children beyond the columns get no room.
    int column = 0;
    PlaceChildren([&](CControlUI* child, int) {
        RECT cell{content.left, content.top, content.left, content.bottom};
        if (column < columns.count) {
            cell.left = columns.rects[column].left;
            cell.right = columns.rects[column].right;
        }
        ++column;
        const RECT p = child->GetPadding();
        child->SetItemRect(RECT{cell.left + p.left, cell.top + p.top,
                                std::max(cell.left + p.left, cell.right - p.right),
                                std::max(cell.top + p.top, cell.bottom - p.bottom)},
                           false);
    });
}

}  // namespace VantuUI
