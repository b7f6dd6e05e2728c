#include "ui/control/activex/web_browser.h"

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"

namespace VantuUI {

std::wstring CWebBrowserUI::GetClass() const {
    return L"WebBrowser";
}

void* CWebBrowserUI::FindInterface(const std::wstring& name) {
    if (name == L"WebBrowser") {
        return this;
    }
    return CActiveXUI::FindInterface(name);
}

void CWebBrowserUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CWebBrowserUI>({
        {L"homepage", [](CWebBrowserUI& c, Value v) { c.SetHomePage(v); }},
        {L"autonavi", [](CWebBrowserUI& c, Value v) { c.SetAutoNavigate(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CActiveXUI::SetAttribute(name, value);
    }
}

LRESULT CWebBrowserUI::TranslateAccelerator(MSG*) {
    return S_FALSE;
}

bool CWebBrowserUI::Navigate(const std::wstring&) {
    return IsCreated();
}

bool CWebBrowserUI::NavigateHomePage() {
    return !m_homePage.empty() && Navigate(m_homePage);
}

}  // namespace VantuUI
