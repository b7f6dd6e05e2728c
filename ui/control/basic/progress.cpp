// Progress bars: the value and the filled part.

#include "ui/control/basic/progress.h"

#include <algorithm>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CProgressUI::CProgressUI() {
    m_textStyle = DT_SINGLELINE | DT_CENTER;
    m_fixedSize.cy = 12;
}

std::wstring CProgressUI::GetClass() const {
    return L"Progress";
}

void* CProgressUI::FindInterface(const std::wstring& name) {
    if (name == L"Progress") {
        return this;
    }
    return CLabelUI::FindInterface(name);
}

void CProgressUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CProgressUI>({
        {L"foreimage", [](CProgressUI& c, Value v) { c.SetForeImage(v); }},
        {L"hor", [](CProgressUI& c, Value v) { c.SetHorizontal(ParseBool(v)); }},
        {L"min", [](CProgressUI& c, Value v) { c.SetMinValue(ParseInt(v)); }},
        {L"max", [](CProgressUI& c, Value v) { c.SetMaxValue(ParseInt(v)); }},
        {L"value", [](CProgressUI& c, Value v) { c.SetValue(ParseInt(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CLabelUI::SetAttribute(name, value);
    }
}

void CProgressUI::SetHorizontal(bool horizontal) {
    if (horizontal == m_horizontal) {
        return;
    }
    m_horizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int min) {
    m_min = min;
    Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
    m_max = max;
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    // Not std::clamp: minimum and maximum may be the wrong way round.
    value = std::max(m_min, std::min(value, m_max));
    if (value == m_value) {
        return;
    }
    m_value = value;
    Invalidate();
}

void CProgressUI::SetForeImage(const std::wstring& spec) {
    if (spec == m_foreImage.spec && m_foreImage.image != nullptr) {
        return;
    }
    m_foreImage.Clear();
    m_foreImage.spec = spec;
    Invalidate();
}

RECT CProgressUI::FilledPart() const {
    const int min = m_min;
    const int max = m_min < m_max ? m_max : m_min + 1;
    const long long value = std::max(min, std::min(m_value, max));
    const long long span = static_cast<long long>(max) - min;
    const long long width = m_itemRect.right - m_itemRect.left;
    const long long height = m_itemRect.bottom - m_itemRect.top;
    if (m_horizontal) {
        return RECT{0, 0, static_cast<LONG>(width * (value - min) / span),
                    static_cast<LONG>(height)};
    }
    return RECT{0, static_cast<LONG>(height * (max - value) / span), static_cast<LONG>(width),
                static_cast<LONG>(height)};
}

void CProgressUI::PaintStateImage(HDC dc) {
    // Load first: loading applies the image spec's own dest.
    if (!RenderEngine::DrawImageSpec(nullptr, m_manager, m_itemRect, m_paintRect, m_foreImage)) {
        return;
    }
    const RECT filled = FilledPart();
    if (filled.right <= filled.left || filled.bottom <= filled.top) {
        return;
    }
    m_foreImage.dest = filled;
    DrawImageRecord(dc, m_foreImage);
}

}  // namespace VantuUI
