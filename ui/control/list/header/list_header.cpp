#include "ui/control/list/header/list_header.h"

#include <algorithm>
#include <cstring>

namespace VantuUI {

std::wstring CListHeaderUI::GetClass() const {
    return L"ListHeader";
}

void* CListHeaderUI::FindInterface(const std::wstring& name) {
    if (name == L"ListHeader") {
        return this;
    }
    return CHorizontalLayoutUI::FindInterface(name);
}

SIZE CListHeaderUI::GetDesiredSize(SIZE available) {
    // As wide as its columns together and as tall as its tallest item; a
    // header without items takes no room.
    SIZE size{0, 0};
    int count = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloating()) {
            continue;
        }
        const SIZE desired = item->GetDesiredSize(available);
        const RECT padding = item->GetPadding();
        size.cx += padding.left + std::max<LONG>(desired.cx, item->GetMinWidth()) + padding.right;
        size.cy = std::max(size.cy, desired.cy);
        ++count;
    }
    size.cx += m_childGap * std::max(count - 1, 0);
    if (m_fixedSize.cx > 0) {
        size.cx = m_fixedSize.cx;
    }
    if (m_fixedSize.cy > 0) {
        size.cy = m_fixedSize.cy;
    }
    return size;
}

void CListHeaderUI::SetItemRect(RECT rect, bool invalidate) {
    CHorizontalLayoutUI::SetItemRect(rect, invalidate);
    const TListColumnsUI columns = GetColumns();
    const bool moved =
        columns.count != m_laidColumns.count ||
        std::memcmp(columns.rects, m_laidColumns.rects, sizeof(RECT) * columns.count) != 0;
    m_laidColumns = columns;
    if (!moved || m_parent == nullptr) {
        return;
    }
    if (auto* list = static_cast<IListUI*>(m_parent->FindInterface(L"IList"))) {
        if (CContainerUI* body = list->GetList()) {
            body->RequestLayout();
        }
    }
}

TListColumnsUI CListHeaderUI::GetColumns() const {
    TListColumnsUI columns;
    for (CControlUI* item : m_items) {
        if (columns.count == kMaxListColumns) {
            break;
        }
        if (item->IsVisible() && !item->IsFloating()) {
            columns.rects[columns.count++] = item->GetItemRect();
        }
    }
    return columns;
}

}  // namespace VantuUI
