// The skin's window attributes, class defaults, option groups, custom
// attributes and default colours.

#include <algorithm>
#include <array>
#include <cwchar>
#include <cwctype>

#include "platform/window/window_system.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

// Decimal numbers, each followed by exactly one separator character.
template <std::size_t N>
std::array<LONG, N> ParseNumbers(const std::wstring& value) {
    std::array<LONG, N> numbers{};
    const wchar_t* at = value.c_str();
    for (std::size_t i = 0; i < N; ++i) {
        wchar_t* end = nullptr;
        numbers[i] = static_cast<LONG>(std::wcstol(at, &end, 10));
        at = end;
        if (*at == L'\0') {
            break;
        }
        ++at;
    }
    return numbers;
}

RECT ParseRect(const std::wstring& value) {
    const auto n = ParseNumbers<4>(value);
    return RECT{n[0], n[1], n[2], n[3]};
}

BYTE ParseByte(const std::wstring& value) {
    return static_cast<BYTE>(std::clamp<LONG>(ParseNumbers<1>(value)[0], 0, 255));
}

bool SameIgnoringCase(const std::wstring& a, const wchar_t* b) {
    const std::size_t length = std::wcslen(b);
    if (a.size() != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

struct WindowAttribute {
    const wchar_t* name;
    bool exact;
    void (*apply)(CWindowManagerUI& manager, const std::wstring& value);
};

const std::array<WindowAttribute, 17> kWindowAttributes{{
    {L"size", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         const auto n = ParseNumbers<2>(v);
         m.SetInitialSize(n[0], n[1]);
     }},
    {L"sizebox", false,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetSizeBox(ParseRect(v)); }},
    {L"caption", false,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetCaptionRect(ParseRect(v)); }},
    {L"roundcorner", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         const auto n = ParseNumbers<2>(v);
         m.SetRoundCorner(n[0], n[1]);
     }},
    {L"mininfo", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         const auto n = ParseNumbers<2>(v);
         m.SetMinInfo(n[0], n[1]);
     }},
    {L"maxinfo", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         const auto n = ParseNumbers<2>(v);
         m.SetMaxInfo(n[0], n[1]);
     }},
    {L"showdirty", false,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetShowDirty(v == L"true"); }},
    {L"noactivate", true,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetNoActivate(v == L"true"); }},
    {L"opacity", false,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetOpacity(ParseByte(v)); }},
    {L"layeredopacity", true,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetLayeredOpacity(ParseByte(v)); }},
    {L"layeredimage", true,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetLayeredImage(v); }},
    {L"disabledfontcolor", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         m.SetDisabledTextColor(ParseColorText(v), false);
     }},
    {L"defaultfontcolor", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         m.SetDefaultTextColor(ParseColorText(v), false);
     }},
    {L"linkfontcolor", false,
     [](CWindowManagerUI& m, const std::wstring& v) { m.SetLinkColor(ParseColorText(v), false); }},
    {L"linkhoverfontcolor", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         m.SetLinkHoverColor(ParseColorText(v), false);
     }},
    {L"selectedcolor", false,
     [](CWindowManagerUI& m, const std::wstring& v) {
         m.SetSelectedBackColor(ParseColorText(v), false);
     }},
    {L"", true, nullptr},
}};

}  // namespace

void CWindowManagerUI::ApplyWindowAttribute(const std::wstring& name, const std::wstring& value) {
    for (const WindowAttribute& attribute : kWindowAttributes) {
        if (attribute.apply == nullptr) {
            break;
        }
        if (attribute.exact ? name == attribute.name : SameIgnoringCase(name, attribute.name)) {
            attribute.apply(*this, value);
            return;
        }
    }
    SetCustomAttribute(name, value);
}

void CWindowManagerUI::SetInitialSize(int cx, int cy) {
    m_initialSize = SIZE{cx, cy};
    if (m_root == nullptr && m_window != nullptr) {
        SetWindowPos(m_window, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CWindowManagerUI::SetClassDefaults(const std::wstring& className, const std::wstring& list,
                                        bool shared) {
    if (className.empty()) {
        return;
    }
    (shared || m_forceShared ? SharedResources().classDefaults : m_classDefaults)
        .Set(className, list);
}

const wchar_t* CWindowManagerUI::ClassDefaults(const std::wstring& className) const {
    const std::wstring* found = m_classDefaults.Find(className);
    if (found == nullptr) {
        found = SharedResources().classDefaults.Find(className);
    }
    return found != nullptr ? found->c_str() : nullptr;
}

void CWindowManagerUI::RemoveAllClassDefaults() {
    m_classDefaults.Clear();
}

bool CWindowManagerUI::JoinOptionGroup(const std::wstring& group, CControlUI* control) {
    if (group.empty() || control == nullptr) {
        return false;
    }
    std::vector<CControlUI*>* members = m_optionGroups.Find(group);
    if (members == nullptr) {
        m_optionGroups.Insert(group, std::vector<CControlUI*>{control});
        return true;
    }
    if (std::find(members->begin(), members->end(), control) != members->end()) {
        return false;
    }
    members->push_back(control);
    return true;
}

const std::vector<CControlUI*>* CWindowManagerUI::OptionGroupMembers(
    const std::wstring& group) const {
    return m_optionGroups.Find(group);
}

void CWindowManagerUI::LeaveOptionGroup(const std::wstring& group, CControlUI* control) {
    std::vector<CControlUI*>* members = m_optionGroups.Find(group);
    if (members == nullptr || control == nullptr) {
        return;
    }
    std::erase(*members, control);
    if (members->empty()) {
        m_optionGroups.Remove(group);
    }
}

void CWindowManagerUI::RemoveAllOptionGroups() {
    m_optionGroups.Clear();
}

void CWindowManagerUI::SetCustomAttribute(const std::wstring& name, const std::wstring& value) {
    if (!name.empty() && !value.empty()) {
        m_customAttributes.Insert(name, value);
    }
}

const wchar_t* CWindowManagerUI::CustomAttribute(const std::wstring& name) const {
    const std::wstring* found = m_customAttributes.Find(name);
    return found != nullptr ? found->c_str() : nullptr;
}

bool CWindowManagerUI::RemoveCustomAttribute(const std::wstring& name) {
    return m_customAttributes.Remove(name);
}

void CWindowManagerUI::RemoveAllCustomAttributes() {
    m_customAttributes.Clear();
}

void CWindowManagerUI::SetDefaultColor(DWORD TDefaultColorsUI::*which, DWORD color, bool shared) {
    if (shared) {
        DWORD& processColor = SharedResources().colors.*which;
        if (m_colors.*which == processColor) {
            m_colors.*which = color;
        }
        processColor = color;
        return;
    }
    m_colors.*which = color;
}

void CWindowManagerUI::SetDisabledTextColor(DWORD color, bool shared) {
    SetDefaultColor(&TDefaultColorsUI::disabledText, color, shared);
}

void CWindowManagerUI::SetDefaultTextColor(DWORD color, bool shared) {
    SetDefaultColor(&TDefaultColorsUI::text, color, shared);
}

void CWindowManagerUI::SetLinkColor(DWORD color, bool shared) {
    SetDefaultColor(&TDefaultColorsUI::link, color, shared);
}

void CWindowManagerUI::SetLinkHoverColor(DWORD color, bool shared) {
    SetDefaultColor(&TDefaultColorsUI::linkHover, color, shared);
}

void CWindowManagerUI::SetSelectedBackColor(DWORD color, bool shared) {
    SetDefaultColor(&TDefaultColorsUI::selectedBack, color, shared);
}

}  // namespace VantuUI
