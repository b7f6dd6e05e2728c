// The skin's window attributes, class defaults, option groups, custom
// attributes and default colours.

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

BYTE ParseOpacity(const std::wstring& value) {
    return static_cast<BYTE>(std::clamp(ParseInt(value), 0, 255));
}

template <void (CWindowManagerUI::*Setter)(int, int)>
void ApplySize(CWindowManagerUI& manager, const std::wstring& value) {
    const SIZE size = ParseSize(value);
    (manager.*Setter)(size.cx, size.cy);
}

}  // namespace

void CWindowManagerUI::ApplyWindowAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    using Manager = CWindowManagerUI;
    constexpr auto kAny = AttributeCase::Any;
    static constexpr auto kAttributes = MakeAttributeTable<CWindowManagerUI>({
        {L"size", &ApplySize<&Manager::SetInitialSize>, kAny},
        {L"sizebox", [](Manager& m, Value v) { m.SetSizeBox(ParseRect(v)); }, kAny},
        {L"caption", [](Manager& m, Value v) { m.SetCaptionRect(ParseRect(v)); }, kAny},
        {L"roundcorner", &ApplySize<&Manager::SetRoundCorner>, kAny},
        {L"mininfo", &ApplySize<&Manager::SetMinInfo>, kAny},
        {L"maxinfo", &ApplySize<&Manager::SetMaxInfo>, kAny},
        {L"showdirty", [](Manager& m, Value v) { m.SetShowDirty(ParseBool(v)); }, kAny},
        {L"noactivate", [](Manager& m, Value v) { m.SetNoActivate(ParseBool(v)); }},
        {L"opacity", [](Manager& m, Value v) { m.SetOpacity(ParseOpacity(v)); }, kAny},
        {L"layeredopacity", [](Manager& m, Value v) { m.SetLayeredOpacity(ParseOpacity(v)); }},
        {L"layeredimage", [](Manager& m, Value v) { m.SetLayeredImage(v); }},
        {L"disabledfontcolor",
         [](Manager& m, Value v) { m.SetDisabledTextColor(ParseColor(v, false), false); }, kAny},
        {L"defaultfontcolor",
         [](Manager& m, Value v) { m.SetDefaultTextColor(ParseColor(v, false), false); }, kAny},
        {L"linkfontcolor", [](Manager& m, Value v) { m.SetLinkColor(ParseColor(v, false), false); },
         kAny},
        {L"linkhoverfontcolor",
         [](Manager& m, Value v) { m.SetLinkHoverColor(ParseColor(v, false), false); }, kAny},
        {L"selectedcolor",
         [](Manager& m, Value v) { m.SetSelectedBackColor(ParseColor(v, false), false); }, kAny},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        SetCustomAttribute(name, value);
    }
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
