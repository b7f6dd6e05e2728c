#include "ui/layout/tile_layout.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/scroll/scroll_bar.h"

namespace VantuUI {

std::wstring CTileLayoutUI::GetClass() const {
    return L"TileLayout";
}

void* CTileLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"TileLayout") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

void CTileLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CTileLayoutUI>({
        {L"itemsize", [](CTileLayoutUI& c, Value v) { c.SetItemSize(ParseSize(v)); }},
        {L"columns", [](CTileLayoutUI& c, Value v) { c.SetColumns(ParseInt(v)); }},
        {L"childvpadding", [](CTileLayoutUI& c, Value v) { c.SetChildVPadding(ParseInt(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CContainerUI::SetAttribute(name, value);
    }
}

SIZE CTileLayoutUI::GetItemSize() const {
    return m_itemSize;
}

void CTileLayoutUI::SetItemSize(SIZE size) {
    if (size == m_itemSize) {
        return;
    }
    m_itemSize = size;
    RequestLayout();
}

int CTileLayoutUI::GetColumns() const {
    return m_columns;
}

void CTileLayoutUI::SetColumns(int columns) {
    if (columns < 0) {
        return;
    }
    m_columns = columns;
    RequestLayout();
}

int CTileLayoutUI::GetChildVPadding() const {
    return m_childVPadding;
}

void CTileLayoutUI::SetChildVPadding(int padding) {
    m_childVPadding = std::max(padding, 0);
    RequestLayout();
}

void CTileLayoutUI::SetItemRect(RECT rect, bool invalidate) {
    const std::optional<RECT> area = StartLayout(rect, invalidate);
    if (!area) {
        return;
    }
    const RECT rc = *area;
    const bool hBar = HorizontalBarShown();
    const bool vBar = VerticalBarShown();
    const int itemWidth = m_itemSize.cx;
    const int itemHeight = m_itemSize.cy;
    const int L = rc.right - rc.left;
    const int L2 = L + (hBar ? m_horizontalBar->GetRange() : 0);
    int N = 0;
    for (CControlUI* child : m_items) {
        if (child->IsVisible() && !child->IsFloating()) {
            ++N;
        }
    }

    int gap = m_childGap;
    int columns = m_columns;
    int neededWidth = 0;
    if (columns > 0) {
        if (columns < 2) {
            gap = 0;
        } else if (gap < 1) {
            const int base = hBar && L >= columns * itemWidth ? L : L2;
            gap = std::max(0, (base - columns * itemWidth) / (columns - 1));
        }
        neededWidth = N < columns ? N * itemWidth + gap * std::max(N - 1, 0)
                                  : columns * itemWidth + gap * (columns - 1);
    } else {
        // Without an item width the column count is undefined: one column.
        if (itemWidth <= 0 || L < itemWidth) {
            columns = 1;
            neededWidth = itemWidth;
        } else {
            columns = L / itemWidth;
            neededWidth = L;
        }
        if (columns < 2) {
            gap = 0;
        } else if (gap < 1) {
            gap = std::max(0, (L % itemWidth) / (columns - 1));
        }
    }
    const int rows = N > 0 ? (N - 1) / columns + 1 : 0;
    const int neededHeight = rows * itemHeight + std::max(rows - 1, 0) * m_childVPadding;
    m_actualColumns = columns;
    m_actualRows = rows;

    const int scrollX = hBar ? m_horizontalBar->GetPosition() : 0;
    const int scrollY = vBar ? m_verticalBar->GetPosition() : 0;
    PlaceChildren([&](CControlUI* child, int index) {
        const int cellX = rc.left + (index % columns) * (gap + itemWidth) - scrollX;
        const int cellY = rc.top + (index / columns) * (m_childVPadding + itemHeight) - scrollY;
        const RECT p = child->GetPadding();
        int w = std::max(0, std::min<int>(itemWidth - p.left - p.right, child->GetMaxWidth()));
        int h = std::max(0, std::min<int>(itemHeight - p.top - p.bottom, child->GetMaxHeight()));
        int x0 = cellX;
        if ((m_childAlign & DT_CENTER) != 0) {
            x0 = cellX + (itemWidth - w) / 2;
        } else if ((m_childAlign & DT_RIGHT) != 0) {
            x0 = cellX + itemWidth - w;
        }
        int y0 = cellY;
        if ((m_childVAlign & DT_VCENTER) != 0) {
            y0 = cellY + (itemHeight - h) / 2;
        } else if ((m_childVAlign & DT_BOTTOM) != 0) {
            y0 = cellY + itemHeight - h;
        }
        child->SetItemRect(RECT{x0 + p.left, y0 + p.top, x0 + w - p.right, y0 + h - p.bottom},
                           false);
    });
    UpdateScrollBars(rc, neededWidth, neededHeight);
}

}  // namespace VantuUI
