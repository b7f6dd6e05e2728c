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
    if (m_fixedSize.cy > 0) {
        return m_fixedSize;
    }
    // As tall as its tallest item; a header without items takes no room.
    int height = 0;
    for (CControlUI* item : m_items) {
        if (item->IsVisible() && !item->IsFloating()) {
            height = std::max(height, static_cast<int>(item->GetDesiredSize(available).cy));
        }
    }
    return SIZE{m_fixedSize.cx, height};
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
