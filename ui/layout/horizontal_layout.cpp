#include "ui/layout/horizontal_layout.h"

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"

namespace VantuUI {

std::wstring CHorizontalLayoutUI::GetClass() const {
    return L"HorizontalLayout";
}

void* CHorizontalLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"HorizontalLayout") {
        return this;
    }
    return CLineLayoutUI::FindInterface(name);
}

void CHorizontalLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CHorizontalLayoutUI>({
        {L"sepwidth",
         [](CHorizontalLayoutUI& c, const std::wstring& v) { c.SetSeparatorWidth(ParseInt(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CLineLayoutUI::SetAttribute(name, value);
    }
}

int CHorizontalLayoutUI::GetSeparatorWidth() const {
    return m_separator.size;
}

void CHorizontalLayoutUI::SetSeparatorWidth(int width) {
    m_separator.size = width;
}

}  // namespace VantuUI
