#include "ui/layout/vertical_layout.h"

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"

namespace VantuUI {

std::wstring CVerticalLayoutUI::GetClass() const {
    return L"VerticalLayout";
}

void* CVerticalLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"VerticalLayout") {
        return this;
    }
    return CLineLayoutUI::FindInterface(name);
}

void CVerticalLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CVerticalLayoutUI>({
        {L"sepheight",
         [](CVerticalLayoutUI& c, const std::wstring& v) { c.SetSeparatorHeight(ParseInt(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CLineLayoutUI::SetAttribute(name, value);
    }
}

int CVerticalLayoutUI::GetSeparatorHeight() const {
    return m_separator.size;
}

void CVerticalLayoutUI::SetSeparatorHeight(int height) {
    m_separator.size = height;
}

}  // namespace VantuUI
