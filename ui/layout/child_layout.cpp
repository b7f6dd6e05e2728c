#include "ui/layout/child_layout.h"

#include "ui/control/attribute_table.h"

namespace VantuUI {

std::wstring CChildLayoutUI::GetClass() const {
    return L"ChildLayout";
}

void* CChildLayoutUI::FindInterface(const std::wstring& name) {
    if (name == L"ChildLayout") {
        return this;
    }
    return CContainerUI::FindInterface(name);
}

void CChildLayoutUI::Init() {
    if (!m_skinFile.empty()) {
        CControlUI* content = BuildChildLayoutContent(m_skinFile, m_manager);
        if (content != nullptr) {
            Append(content);
        } else {
            RemoveAllItems();
        }
    }
    CContainerUI::Init();
}

void CChildLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<CChildLayoutUI>({
        {L"xmlfile", [](CChildLayoutUI& c, const std::wstring& v) { c.SetChildSkinFile(v); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CContainerUI::SetAttribute(name, value);
    }
}

void CChildLayoutUI::SetChildSkinFile(const std::wstring& file) {
    m_skinFile = file;
}

std::wstring CChildLayoutUI::GetChildSkinFile() const {
    return m_skinFile;
}

}  // namespace VantuUI
