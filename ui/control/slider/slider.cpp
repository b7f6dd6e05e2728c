#include "ui/control/slider/slider.h"

#include <algorithm>
#include <limits>

#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/control_state.h"
#include "ui/control/image_record.h"
#include "ui/control/input_routing.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CSliderUI::CSliderUI() {
    m_textStyle = DT_SINGLELINE | DT_CENTER;
}

std::wstring CSliderUI::GetClass() const {
    return L"Slider";
}

void* CSliderUI::FindInterface(const std::wstring& name) {
    if (name == L"Slider") {
        return this;
    }
    return CProgressUI::FindInterface(name);
}

UINT CSliderUI::GetInputFlags() {
    return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0;
}

void CSliderUI::SetEnabled(bool enabled) {
    CProgressUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        m_state = 0;
    }
}

void CSliderUI::HandleEvent(TInputEventUI& event) {
    if (PassOnIgnoredMouseEvent(event)) {
        return;
    }
    if (TrackHotState(*this, m_state, event)) {
        return;
    }
    switch (event.Kind) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            if (!IsEnabled()) {
                return;
            }
            m_state |= UISTATE_CAPTURED;
            const auto value = Track().ValueAt(event.MousePoint);
            if (value && *value != m_value && *value >= m_min && *value <= m_max) {
                m_value = *value;
                Invalidate();
            }
            return;
        }
        case UIEVENT_BUTTONUP:
        case UIEVENT_MOUSEMOVE: {
            if ((m_state & UISTATE_CAPTURED) == 0) {
                return;
            }
            if (const auto value = Track().ValueAt(event.MousePoint)) {
                SetValue(*value);
            }
            const bool released = event.Kind == UIEVENT_BUTTONUP;
            if (released || m_immMode) {
                RaiseValueChanged();
            }
            if (released) {
                m_state &= ~UISTATE_CAPTURED;
            }
            Invalidate();
            return;
        }
        case UIEVENT_CONTEXTMENU:
            return;
        case UIEVENT_SCROLLWHEEL:
            if (event.wParam == 0 || event.wParam == 1) {
                StepBy(event.wParam == 0 ? m_step : -static_cast<long long>(m_step));
                return;
            }
            break;
        case UIEVENT_SETCURSOR:
            if (IsEnabled() && RectContains(GetThumbRect(), event.MousePoint)) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return;
            }
            break;
        default:
            break;
    }
    CControlUI::HandleEvent(event);
}

void CSliderUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CSliderUI>({
        {L"thumbimage", [](CSliderUI& c, Value v) { c.SetThumbImage(v); }},
        {L"thumbhotimage", [](CSliderUI& c, Value v) { c.SetThumbHotImage(v); }},
        {L"thumbpushedimage", [](CSliderUI& c, Value v) { c.SetThumbPushedImage(v); }},
        {L"thumbsize", [](CSliderUI& c, Value v) { c.SetThumbSize(ParseSize(v)); }},
        {L"step", [](CSliderUI& c, Value v) { c.SetChangeStep(ParseInt(v)); }},
        {L"imm", [](CSliderUI& c, Value v) { c.SetImmMode(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CProgressUI::SetAttribute(name, value);
    }
}

void CSliderUI::PaintStateImage(HDC dc) {
    CProgressUI::PaintStateImage(dc);
    const RECT thumb = RectOffset(GetThumbRect(), -m_itemRect.left, -m_itemRect.top);
    ImageDrawInfo* stateImage = nullptr;
    if ((m_state & UISTATE_CAPTURED) != 0) {
        stateImage = &m_thumbPushedImage;
    } else if ((m_state & UISTATE_HOT) != 0) {
        stateImage = &m_thumbHotImage;
    }
    for (ImageDrawInfo* record : {stateImage, &m_thumbImage}) {
        if (record == nullptr) {
            continue;
        }
        // Load first: loading applies the image spec's own dest.
        if (!RenderEngine::DrawImageSpec(nullptr, m_manager, m_itemRect, m_paintRect, *record)) {
            continue;
        }
        record->dest = thumb;
        if (DrawImageRecord(dc, *record)) {
            return;
        }
    }
}

void CSliderUI::SetThumbSize(SIZE size) {
    m_thumbSize = size;
    Invalidate();
}

RECT CSliderUI::GetThumbRect() const {
    return Track().ThumbRect(m_value);
}

void CSliderUI::SetThumbImage(const std::wstring& spec) {
    SetThumbRecord(m_thumbImage, spec);
}

void CSliderUI::SetThumbHotImage(const std::wstring& spec) {
    SetThumbRecord(m_thumbHotImage, spec);
}

void CSliderUI::SetThumbPushedImage(const std::wstring& spec) {
    SetThumbRecord(m_thumbPushedImage, spec);
}

SliderTrack CSliderUI::Track() const {
    return SliderTrack{m_itemRect, m_thumbSize, m_min, m_max, m_horizontal};
}

void CSliderUI::StepBy(long long delta) {
    const long long target =
        std::clamp<long long>(static_cast<long long>(m_value) + delta,
                              std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    SetValue(static_cast<int>(target));
    RaiseValueChanged();
}

void CSliderUI::RaiseValueChanged() {
    if (m_manager != nullptr) {
        m_manager->RaiseNotification(this, L"valuechanged", 0, 0, false, true);
    }
}

void CSliderUI::SetThumbRecord(ImageDrawInfo& record, const std::wstring& spec) {
    if (ReplaceImageSpec(record, spec)) {
        Invalidate();
    }
}

}  // namespace VantuUI
