#include "ui/control/list/items/list_element.h"

#include "ui/control/attribute_table.h"

namespace VantuUI {

std::wstring CListElementUI::GetClass() const {
    return L"ListElement";
}

void* CListElementUI::FindInterface(const std::wstring& name) {
    if (name == L"ListElement") {
        return this;
    }
    return CListItemBaseUI<CControlUI>::FindInterface(name);
}

void CListElementUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CListElementUI>({
        {L"selected", [](CListElementUI& c, const std::wstring& v) { c.ApplySelected(v); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

std::wstring CListLabelElementUI::GetClass() const {
    return L"ListLabelElement";
}

void* CListLabelElementUI::FindInterface(const std::wstring& name) {
    if (name == L"ListLabelElement") {
        return this;
    }
    return CListElementUI::FindInterface(name);
}

SIZE CListLabelElementUI::GetDesiredSize(SIZE) {
    TListItemStyleUI* style = Style();
    if (m_fixedSize.cy > 0 || style == nullptr) {
        return m_fixedSize;
    }
    return SIZE{m_fixedSize.cx, ListItemHeight(*this, *style)};
}

void CListLabelElementUI::PaintTextLayer(HDC dc) {
    DrawItemText(dc, m_itemRect);
}

}  // namespace VantuUI
