#include "ui/control/activex/active_x.h"

#include <cwctype>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"

namespace VantuUI {

bool IsClassIdText(const std::wstring& text) {
    static constexpr std::wstring_view kShape = L"{........-....-....-....-............}";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::iswxdigit(static_cast<wint_t>(text[i])) != 0;
        if (kShape[i] == L'.' ? !digit : text[i] != kShape[i]) {
            return false;
        }
    }
    return true;
}

CActiveXUI::~CActiveXUI() = default;

std::wstring CActiveXUI::GetClass() const {
    return L"ActiveX";
}

void* CActiveXUI::FindInterface(const std::wstring& name) {
    if (name == L"ActiveX") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

HWND CActiveXUI::GetChildWindow() {
    return nullptr;
}

void CActiveXUI::InitHook() {
    if (!m_delayCreate) {
        CreateControl();
    }
}

void CActiveXUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CActiveXUI>({
        {L"clsid", [](CActiveXUI& c, Value v) { c.SetClassId(v); }},
        {L"modulename", [](CActiveXUI& c, Value v) { c.SetModuleName(v); }},
        {L"delaycreate", [](CActiveXUI& c, Value v) { c.SetDelayCreate(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

LRESULT CActiveXUI::FilterMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

bool CActiveXUI::SetClassId(const std::wstring& classId) {
    if (!IsClassIdText(classId)) {
        return false;
    }
    m_classId = classId;
    return true;
}

ActiveXCreateResult CActiveXUI::CreateControl() {
    m_lastResult =
        m_classId.empty() ? ActiveXCreateResult::NoClassId : ActiveXCreateResult::Unsupported;
    return m_lastResult;
}

}  // namespace VantuUI
