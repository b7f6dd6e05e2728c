#include "ui/layout/tab_layout.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

std::wstring CTabLayoutUI::GetClass() const {
    return L"TabLayout";
}

void* CTabLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"TabLayout") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

bool CTabLayoutUI::Append(CControlUI* control) {
    if (!CContainerUI::InsertAt(control, ItemCount())) {
        return false;
    }
    if (m_selectedIndex == -1 && control->IsVisible()) {
        m_selectedIndex = IndexOf(control);
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::InsertAt(CControlUI* control, int index) {
    if (!CContainerUI::InsertAt(control, index)) {
        return false;
    }
    if (m_selectedIndex == -1 && control->IsVisible()) {
        m_selectedIndex = index;
    } else if (m_selectedIndex != -1 && index <= m_selectedIndex) {
        ++m_selectedIndex;
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::RemoveItemAt(int index, bool keep) {
    if (ItemAt(index) == nullptr) {
        return false;
    }
    if (!CContainerUI::RemoveItemAt(index, keep)) {
        return false;
    }
    if (index == m_selectedIndex) {
        if (ItemCount() > 0) {
            m_selectedIndex = 0;
            ItemAt(0)->SetVisible(true);
        } else {
            m_selectedIndex = -1;
        }
        RequestParentLayout();
    } else if (index < m_selectedIndex) {
        --m_selectedIndex;
    }
    return true;
}

void CTabLayoutUI::RemoveAllItems() {
    m_selectedIndex = -1;
    CContainerUI::RemoveAllItems();
    RequestParentLayout();
}

int CTabLayoutUI::GetSelectedIndex() const {
    return m_selectedIndex;
}

bool CTabLayoutUI::SelectPage(int index, bool notify) {
    if (index < 0 || index >= ItemCount()) {
        return false;
    }
    if (index == m_selectedIndex) {
        return true;
    }
    const int old = m_selectedIndex;
    m_selectedIndex = index;
    for (int i = 0; i < ItemCount(); ++i) {
        if (i == index) {
            ItemAt(i)->SetVisible(true);
            ItemAt(i)->SetFocus();
        } else {
            ItemAt(i)->SetVisible(false);
        }
    }
    RequestParentLayout();
    if (m_manager != nullptr) {
        m_manager->MoveTabFocus(true);
        if (notify) {
            m_manager->RaiseNotification(this, L"tabselect", static_cast<WPARAM>(index), old, false,
                                         true);
        }
    }
    return true;
}

bool CTabLayoutUI::SelectPage(CControlUI* control, bool notify) {
    return SelectPage(IndexOf(control), notify);
}

void CTabLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CTabLayoutUI>({
        {L"selectedid",
         [](CTabLayoutUI& c, const std::wstring& v) { c.SelectPage(ParseInt(v), true); }},
    });
    // Unlike the other classes, the tab hands its own names on as well: the
    // selected page is kept among the custom attributes too.
    kAttributes.Apply(*this, name, value);
    CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    const RECT area{m_itemRect.left + m_inset.left, m_itemRect.top + m_inset.top,
                    m_itemRect.right - m_inset.right, m_itemRect.bottom - m_inset.bottom};
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI* child = m_items[i];
        if (child->IsFloating()) {
            PlaceFloatChild(static_cast<int>(i));
            continue;
        }
        if (static_cast<int>(i) != m_selectedIndex) {
            continue;
        }
        const RECT p = child->GetPadding();
        const RECT page{area.left + p.left, area.top + p.top, area.right - p.right,
                        area.bottom - p.bottom};
        const int pageWidth = std::max<int>(0, page.right - page.left);
        const int pageHeight = std::max<int>(0, page.bottom - page.top);
        SIZE sz = child->GetDesiredSize(SIZE{pageWidth, pageHeight});
        if (sz.cx == 0) {
            sz.cx = pageWidth;
        }
        if (sz.cy == 0) {
            sz.cy = pageHeight;
        }
        sz.cx = std::clamp<LONG>(sz.cx, child->GetMinWidth(), child->GetMaxWidth());
        sz.cy = std::clamp<LONG>(sz.cy, child->GetMinHeight(), child->GetMaxHeight());
        child->SetItemRect(RECT{page.left, page.top, page.left + sz.cx, page.top + sz.cy}, false);
    }
}

}  // namespace VantuUI
