#include "ui/control/scroll/scroll_bar.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

CScrollBarUI::CScrollBarUI() {
    m_fixedSize.cx = 16;
}

std::wstring CScrollBarUI::GetClass() const {
    return L"ScrollBar";
}

void* CScrollBarUI::FindInterface(const std::wstring& name) {
    if (name == L"ScrollBar") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

void CScrollBarUI::SetVisible(bool visible) {
    // Laying the bar out is its owner's business.
    m_visible = visible;
    m_focused = false;
}

void CScrollBarUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CScrollBarUI>({
        {L"hor", [](CScrollBarUI& c, Value v) { c.SetHorizontal(ParseBool(v)); }},
        {L"linesize", [](CScrollBarUI& c, Value v) { c.SetLineSize(ParseInt(v)); }},
        {L"range", [](CScrollBarUI& c, Value v) { c.SetRange(ParseInt(v)); }},
        {L"value", [](CScrollBarUI& c, Value v) { c.SetPosition(ParseInt(v)); }},
        {L"scrollunit", [](CScrollBarUI& c, Value v) { c.SetScrollUnit(ParseInt(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

bool CScrollBarUI::IsHorizontal() const {
    return m_horizontal;
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
    if (m_horizontal == horizontal) {
        return;
    }
    m_horizontal = horizontal;
    if (m_horizontal) {
        if (m_fixedSize.cy == 0) {
            m_fixedSize.cx = 0;
            m_fixedSize.cy = 16;
        }
    } else if (m_fixedSize.cx == 0) {
        m_fixedSize.cx = 16;
        m_fixedSize.cy = 0;
    }
    if (m_owner != nullptr) {
        m_owner->RequestLayout();
    } else {
        RequestParentLayout();
    }
}

int CScrollBarUI::GetRange() const {
    return m_range;
}

void CScrollBarUI::SetRange(int range) {
    if (m_range == range) {
        return;
    }
    m_range = std::max(range, 0);
    m_position = std::min(m_position, m_range);
    SetItemRect(m_itemRect, true);
}

int CScrollBarUI::GetPosition() const {
    return m_position;
}

void CScrollBarUI::SetPosition(int position, bool notify) {
    if (m_position == position) {
        return;
    }
    const int old = m_position;
    m_position = std::max(position, 0);
    if (m_scrollUnit > 1) {
        const int rest = m_position % m_scrollUnit;
        if (rest != 0) {
            m_position += rest < m_scrollUnit / 2 ? -rest : m_scrollUnit - rest;
        }
    }
    m_position = std::min(m_position, m_range);
    SetItemRect(m_itemRect, true);
    if (notify && m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"scroll", static_cast<WPARAM>(m_position), old, true,
                                     false);
    }
}

int CScrollBarUI::GetLineSize() const {
    return m_lineSize;
}

void CScrollBarUI::SetLineSize(int size) {
    if (size >= 0) {
        m_lineSize = size;
    }
}

int CScrollBarUI::GetScrollUnit() const {
    return m_scrollUnit;
}

void CScrollBarUI::SetScrollUnit(int unit) {
    if (unit >= 0) {
        m_scrollUnit = unit;
    }
}

CContainerUI* CScrollBarUI::GetOwner() const {
    return m_owner;
}

void CScrollBarUI::SetOwner(CContainerUI* owner) {
    m_owner = owner;
}

}  // namespace VantuUI
