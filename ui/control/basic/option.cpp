// Options: selection, groups and the selected look.

#include "ui/control/basic/option.h"

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

COptionUI::COptionUI() = default;

COptionUI::~COptionUI() {
    if (!m_group.empty() && m_manager != nullptr) {
        m_manager->LeaveOptionGroup(m_group, this);
    }
}

std::wstring COptionUI::GetClass() const {
    return L"Option";
}

void* COptionUI::FindInterface(const std::wstring& name) {
    if (name == L"Option") {
        return this;
    }
    return CButtonUI::FindInterface(name);
}

void COptionUI::AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::AttachToManager(manager, parent, init);
    if (init && !m_group.empty() && m_manager != nullptr) {
        m_manager->JoinOptionGroup(m_group, this);
    }
}

void COptionUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        m_buttonState &= UISTATE_SELECTED;
    }
}

void COptionUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<COptionUI>({
        {L"group", [](COptionUI& c, Value v) { c.SetGroup(v); }},
        {L"selected", [](COptionUI& c, Value v) { c.SetSelected(ParseBool(v)); }},
        {L"selectedimage", [](COptionUI& c, Value v) { c.SetSelectedImage(v); }},
        {L"selectedhotimage", [](COptionUI& c, Value v) { c.SetSelectedHotImage(v); }},
        {L"foreimage", [](COptionUI& c, Value v) { c.SetOptionForeImage(v); }},
        {L"selectedbkcolor",
         [](COptionUI& c, Value v) { c.SetSelectedBkColor(ParseColor(v, true)); }},
        {L"selectedtextcolor",
         [](COptionUI& c, Value v) { c.SetSelectedTextColor(ParseColor(v, true)); }},
        {L"selectedbordercolor",
         [](COptionUI& c, Value v) { c.SetSelectedBorderColor(ParseColor(v, true)); }},
        {L"selectedbordersize",
         [](COptionUI& c, Value v) { c.SetSelectedBorderSize(ParseBorderWidths(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CButtonUI::SetAttribute(name, value);
    }
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) {
        return false;
    }
    SetSelected(m_group.empty() ? !m_selected : true, true);
    return true;
}

void COptionUI::SetSelected(bool selected, bool notify) {
    if (selected == m_selected) {
        return;
    }
    m_selected = selected;
    m_buttonState = selected ? m_buttonState | UISTATE_SELECTED : m_buttonState & ~UISTATE_SELECTED;
    if (m_manager != nullptr) {
        if (!m_group.empty()) {
            if (!selected) {
                Invalidate();
                return;
            }
            if (const auto* members = m_manager->OptionGroupMembers(m_group)) {
                // A copy: a listener may change the group while we walk it.
                const std::vector<CControlUI*> others = *members;
                for (CControlUI* member : others) {
                    auto* option = static_cast<COptionUI*>(member->FindInterface(L"Option"));
                    if (option != nullptr && option != this) {
                        option->SetSelected(false, notify);
                    }
                }
            }
        }
        if (notify) {
            m_manager->RaiseNotification(this, L"selectchanged", 0, 0, false, true);
        }
    }
    Invalidate();
}

void COptionUI::SetGroup(const std::wstring& group) {
    if (group == m_group) {
        return;
    }
    if (!m_group.empty() && m_manager != nullptr) {
        m_manager->LeaveOptionGroup(m_group, this);
    }
    m_group = group;
    if (!m_group.empty() && m_manager != nullptr) {
        m_manager->JoinOptionGroup(m_group, this);
    }
    Invalidate();
}

void COptionUI::SetSelectedImage(const std::wstring& spec) {
    SetImageRecord(m_selectedImage, spec);
}

void COptionUI::SetSelectedHotImage(const std::wstring& spec) {
    SetImageRecord(m_selectedHotImage, spec);
}

void COptionUI::SetOptionForeImage(const std::wstring& spec) {
    SetImageRecord(m_optionForeImage, spec);
}

void COptionUI::SetSelectedBkColor(DWORD color) {
    m_selectedBackColor = color;
    Invalidate();
}

void COptionUI::SetSelectedTextColor(DWORD color) {
    m_selectedTextColor = color;
    Invalidate();
}

void COptionUI::SetSelectedBorderColor(DWORD color) {
    m_selectedBorderColor = color;
    Invalidate();
}

void COptionUI::SetSelectedBorderSize(RECT sizes) {
    m_selectedBorderSize = sizes;
    Invalidate();
}

template <class PaintFn>
void COptionUI::AsUnpushedButton(PaintFn paint) {
    const UINT state = m_buttonState;
    m_buttonState &= ~UISTATE_PUSHED;
    paint();
    // Painting refreshed the focused and disabled bits; keep those.
    m_buttonState = (m_buttonState & ~UISTATE_PUSHED) | (state & UISTATE_PUSHED);
}

void COptionUI::PaintStateImage(HDC dc) {
    bool drawn = false;
    if (m_selected) {
        drawn = ((m_buttonState & UISTATE_HOT) != 0 && DrawImageRecord(dc, m_selectedHotImage)) ||
                DrawImageRecord(dc, m_selectedImage);
        if (!drawn && m_selectedBackColor != 0) {
            RenderEngine::DrawColor(dc, m_paintRect, AdjustedColor(m_selectedBackColor));
            drawn = true;
        }
    }
    if (!drawn) {
        AsUnpushedButton([&] { CButtonUI::PaintStateImage(dc); });
    }
    DrawImageRecord(dc, m_optionForeImage);
}

void COptionUI::PaintTextLayer(HDC dc) {
    if (m_selected && m_selectedTextColor != 0) {
        const DWORD saved = m_textColor;
        m_textColor = m_selectedTextColor;
        AsUnpushedButton([&] { CButtonUI::PaintTextLayer(dc); });
        m_textColor = saved;
        return;
    }
    AsUnpushedButton([&] { CButtonUI::PaintTextLayer(dc); });
}

void COptionUI::PaintBorderLayer(HDC dc) {
    if (m_selected && m_selectedBorderColor != 0) {
        DrawBorder(dc, m_selectedBorderColor, m_selectedBorderSize);
        return;
    }
    CButtonUI::PaintBorderLayer(dc);
}

}  // namespace VantuUI
