// Labels: attributes, measuring and the text layer.

#include "ui/control/basic/label.h"

#include <algorithm>
#include <cwchar>

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

namespace {

// Vertical room a single-line label keeps around its font.
constexpr int kLineSlack = 8;
// The "unbounded" extent text is measured in.
constexpr LONG kMeasureExtent = 9999;

bool Contains(const std::wstring& text, const wchar_t* word) {
    return text.find(word) != std::wstring::npos;
}

}  // namespace

CLabelUI::CLabelUI() = default;

std::wstring CLabelUI::GetClass() const {
    return L"Label";
}

void* CLabelUI::FindInterface(const std::wstring& name) {
    if (name == L"Label") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

void CLabelUI::SetText(const std::wstring& text) {
    if (text == m_text) {
        return;
    }
    MeasureAgain();
    CControlUI::SetText(text);
}

void CLabelUI::SetFixedWidth(int width) {
    MeasureAgain();
    CControlUI::SetFixedWidth(width);
}

void CLabelUI::SetFixedHeight(int height) {
    MeasureAgain();
    CControlUI::SetFixedHeight(height);
}

void CLabelUI::MeasureAgain() {
    m_needsMeasure = true;
}

void CLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CLabelUI>({
        {L"align",
         [](CLabelUI& c, Value v) {
             UINT style = c.m_textStyle;
             if (Contains(v, L"left")) {
                 style &= ~(DT_CENTER | DT_RIGHT);
             } else if (Contains(v, L"center")) {
                 style = (style & ~DT_RIGHT) | DT_CENTER;
             } else if (Contains(v, L"right")) {
                 style = (style & ~DT_CENTER) | DT_RIGHT;
             }
             c.SetTextStyle(style);
         }},
        {L"valign",
         [](CLabelUI& c, Value v) {
             UINT style = c.m_textStyle;
             if (Contains(v, L"top")) {
                 style &= ~(DT_VCENTER | DT_BOTTOM);
             } else if (Contains(v, L"vcenter")) {
                 style = (style & ~DT_BOTTOM) | DT_VCENTER;
             } else if (Contains(v, L"bottom")) {
                 style = (style & ~DT_VCENTER) | DT_BOTTOM;
             }
             c.SetTextStyle(style);
         }},
        {L"endellipsis",
         [](CLabelUI& c, Value v) {
             c.SetTextStyle(ParseBool(v) ? c.m_textStyle | DT_END_ELLIPSIS
                                         : c.m_textStyle & ~DT_END_ELLIPSIS);
         }},
        {L"font", [](CLabelUI& c, Value v) { c.SetFont(ParseInt(v)); }},
        {L"textcolor", [](CLabelUI& c, Value v) { c.SetTextColor(ParseColor(v, true)); }},
        {L"disabledtextcolor",
         [](CLabelUI& c, Value v) { c.SetDisabledTextColor(ParseColor(v, true)); }},
        {L"textpadding", [](CLabelUI& c, Value v) { c.SetTextPadding(ParseRect(v)); }},
        {L"multiline", [](CLabelUI& c, Value v) { c.SetMultiLine(ParseBool(v)); }},
        {L"showhtml", [](CLabelUI& c, Value v) { c.SetShowHtml(ParseBool(v)); }},
        {L"enabledeffect", [](CLabelUI& c, Value v) { c.SetEnabledEffect(ParseBool(v)); }},
        {L"enabledluminous", [](CLabelUI& c, Value v) { c.SetEnabledLuminous(ParseBool(v)); }},
        {L"enabledstroke", [](CLabelUI& c, Value v) { c.SetEnabledStroke(ParseBool(v)); }},
        {L"enabledshadow", [](CLabelUI& c, Value v) { c.SetEnabledShadow(ParseBool(v)); }},
        {L"luminousfuzzy",
         [](CLabelUI& c, Value v) {
             c.SetLuminousFuzzy(static_cast<float>(std::wcstod(v.c_str(), nullptr)));
         }},
        {L"gradientangle", [](CLabelUI& c, Value v) { c.SetGradientAngle(ParseInt(v)); }},
        {L"gradientlength", [](CLabelUI& c, Value v) { c.SetGradientLength(ParseInt(v)); }},
        {L"shadowoffset",
         [](CLabelUI& c, Value v) {
             int numbers[2] = {0, 0};
             ParseIntList(v, numbers, 2);
             c.SetShadowOffset(numbers[0], numbers[1]);
         }},
        {L"textcolor1", [](CLabelUI& c, Value v) { c.SetTextColor1(ParseColor(v, true)); }},
        {L"textshadowcolora",
         [](CLabelUI& c, Value v) { c.SetTextShadowColorA(ParseColor(v, true)); }},
        {L"textshadowcolorb",
         [](CLabelUI& c, Value v) { c.SetTextShadowColorB(ParseColor(v, true)); }},
        {L"strokecolor", [](CLabelUI& c, Value v) { c.SetStrokeColor(ParseColor(v, true)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

void CLabelUI::SetTextStyle(UINT style) {
    if (style == m_textStyle) {
        return;
    }
    m_textStyle = style;
    MeasureAgain();
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD color) {
    m_textColor = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD color) {
    m_disabledTextColor = color;
    Invalidate();
}

void CLabelUI::SetFont(int id) {
    m_font = id;
    MeasureAgain();
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT padding) {
    m_textPadding = padding;
    MeasureAgain();
    Invalidate();
}

void CLabelUI::SetShowHtml(bool showHtml) {
    if (showHtml == m_showHtml) {
        return;
    }
    m_showHtml = showHtml;
    MeasureAgain();
    Invalidate();
}

void CLabelUI::SetMultiLine(bool multiLine) {
    SetTextStyle(multiLine ? (m_textStyle & ~DT_SINGLELINE) | DT_WORDBREAK
                           : m_textStyle | DT_SINGLELINE);
}

void CLabelUI::SetEnabledEffect(bool enabled) {
    m_effectsOn = enabled;
    Invalidate();
}

void CLabelUI::SetEnabledLuminous(bool enabled) {
    m_luminous = enabled;
    Invalidate();
}

void CLabelUI::SetLuminousFuzzy(float fuzzy) {
    // A smaller factor would blow the shrunken copy up past the label.
    if (fuzzy < 0.0001f) {
        return;
    }
    m_luminousFuzzy = fuzzy;
    Invalidate();
}

void CLabelUI::SetEnabledStroke(bool enabled) {
    m_stroke = enabled;
    Invalidate();
}

void CLabelUI::SetEnabledShadow(bool enabled) {
    m_shadow = enabled;
    Invalidate();
}

void CLabelUI::SetGradientAngle(int angle) {
    m_gradientAngle = angle;
    Invalidate();
}

void CLabelUI::SetGradientLength(int length) {
    m_gradientLength = length;
    Invalidate();
}

void CLabelUI::SetTextColor1(DWORD color) {
    m_textColor1 = color;
    Invalidate();
}

void CLabelUI::SetTextShadowColorA(DWORD color) {
    m_shadowColorA = color;
    Invalidate();
}

void CLabelUI::SetTextShadowColorB(DWORD color) {
    m_shadowColorB = color;
    Invalidate();
}

void CLabelUI::SetStrokeColor(DWORD color) {
    m_strokeColor = color;
    Invalidate();
}

void CLabelUI::SetShadowOffset(int offset, int angle) {
    if (angle < -180 || angle > 180) {
        return;
    }
    // The offset alone decides where the shadow goes: it is added to the
    // text's position when drawing, so the label's own place must not be in it.
    const LONG x = angle == -180 ? 0 : (angle >= 0 ? -offset : offset);
    const LONG y = angle == -90 ? 0 : (angle > -90 && angle <= 90 ? -offset : offset);
    m_shadowOffset = POINT{x, y};
    Invalidate();
}

SIZE CLabelUI::GetDesiredSize(SIZE available) {
    if (m_fixedSize.cx > 0 && m_fixedSize.cy > 0) {
        return m_fixedSize;
    }
    const bool multiLine = IsMultiLine();
    if (!m_needsMeasure &&
        !(multiLine && (available.cx != m_measuredFor.cx || available.cy != m_measuredFor.cy))) {
        return m_measured;
    }
    const RECT& pad = m_textPadding;
    SIZE size{};
    if (!multiLine) {
        size.cy = m_fixedSize.cy;
        if (size.cy == 0) {
            const int fontHeight = m_manager != nullptr ? m_manager->FontHeight(m_font) : 0;
            size.cy = pad.top + fontHeight + pad.bottom + kLineSlack;
        }
        size.cx = m_fixedSize.cx;
        if (size.cx == 0) {
            const RECT measured = MeasureText(RECT{0, 0, kMeasureExtent, kMeasureExtent});
            size.cx = pad.left + pad.right + (measured.right - measured.left);
        }
    } else {
        size.cx = m_fixedSize.cx != 0 ? m_fixedSize.cx : available.cx;
        size.cy = pad.top + pad.bottom +
                  MeasureTextHeight(RECT{pad.left, 0, size.cx - pad.right, kMeasureExtent});
    }
    m_measuredFor = available;
    m_measured = size;
    m_needsMeasure = false;
    return size;
}

void CLabelUI::HandleEvent(TInputEventUI& event) {
    if (event.Kind == UIEVENT_SETFOCUS || event.Kind == UIEVENT_KILLFOCUS) {
        m_focused = event.Kind == UIEVENT_SETFOCUS;
        return;
    }
    CControlUI::HandleEvent(event);
}

bool CLabelUI::PassOnIgnoredMouseEvent(TInputEventUI& event) {
    const bool mouseEvent = event.Kind > UIEVENT__MOUSEBEGIN && event.Kind < UIEVENT__MOUSEEND;
    if (m_mouseEnabled || !mouseEvent) {
        return false;
    }
    if (m_parent != nullptr) {
        m_parent->HandleEvent(event);
    } else {
        CLabelUI::HandleEvent(event);
    }
    return true;
}

DWORD CLabelUI::StateTextColor() {
    if (m_manager != nullptr) {
        if (m_textColor == 0) {
            m_textColor = m_manager->DefaultColors().text;
        }
        if (m_disabledTextColor == 0) {
            m_disabledTextColor = m_manager->DefaultColors().disabledText;
        }
    }
    return IsEnabled() ? m_textColor : m_disabledTextColor;
}

RECT CLabelUI::MeasureText(RECT bounds) {
    if (m_text.empty() || m_manager == nullptr) {
        // Nothing to lay out: the text routine would leave the bounds as they are.
        return RECT{bounds.left, bounds.top, bounds.left, bounds.top};
    }
    DrawLabelText(nullptr, bounds, 0, (m_textStyle & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    return bounds;
}

int CLabelUI::MeasureTextHeight(const RECT& rect) {
    const RECT measured =
        MeasureText(RECT{rect.left, rect.top, rect.right, rect.top + kMeasureExtent});
    return measured.bottom - measured.top;
}

void CLabelUI::DrawLabelText(HDC dc, RECT& rect, DWORD color, UINT style) {
    if (m_showHtml) {
        int links = 0;
        RenderEngine::DrawMarkupText(dc, m_manager, rect, m_text, color, nullptr, nullptr, links,
                                     m_font, style);
    } else {
        RenderEngine::DrawPlainText(dc, m_manager, rect, m_text, color, m_font, style);
    }
}

void CLabelUI::PaintTextLayer(HDC dc) {
    const DWORD color = StateTextColor();
    if (m_text.empty()) {
        return;
    }
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    // Centre the text block vertically, also for multi-line text, which the
    // text routine would otherwise put at the top.
    const int slack = (rect.bottom - rect.top - MeasureTextHeight(rect)) / 2;
    UINT style = m_textStyle;
    if (slack > 0) {
        rect.top += slack;
        // Centring once more in what is left would push the line below the middle.
        style &= ~DT_VCENTER;
    }
    if (m_effectsOn) {
        PaintTextEffects(dc, rect, color, style);
        return;
    }
    DrawLabelText(dc, rect, color, style);
}

}  // namespace VantuUI
