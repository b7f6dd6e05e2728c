#include "ui/control/list/header/list_header_item.h"

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/list/items/list_item_events.h"
#include "ui/control/rect_math.h"
#include "ui/control/text_style.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CListHeaderItemUI::CListHeaderItemUI() = default;

std::wstring CListHeaderItemUI::GetClass() const {
    return L"ListHeaderItem";
}

void* CListHeaderItemUI::FindInterface(const std::wstring& name) {
    if (name == L"ListHeaderItem") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

UINT CListHeaderItemUI::GetInputFlags() {
    return IsEnabled() && m_dragable && m_sepWidth != 0 ? UIFLAG_SETCURSOR : 0;
}

void CListHeaderItemUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!enabled) {
        m_hot = m_pushed = m_dragging = false;
    }
}

void CListHeaderItemUI::SetDragable(bool dragable) {
    m_dragable = dragable;
    if (!dragable) {
        m_dragging = false;
    }
}

void CListHeaderItemUI::SetSeparatorWidth(int width) {
    m_sepWidth = width;
    Invalidate();
}

void CListHeaderItemUI::SetImage(ImageDrawInfo& image, const std::wstring& spec) {
    image.Clear();
    image.spec = spec;
    Invalidate();
}

RECT CListHeaderItemUI::SeparatorRect() const {
    RECT strip = m_itemRect;
    if (m_sepWidth >= 0) {
        strip.left = std::max(strip.left, strip.right - m_sepWidth);
    } else {
        strip.right = std::min(strip.right, strip.left - m_sepWidth);
    }
    return strip;
}

void CListHeaderItemUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using C = CListHeaderItemUI;
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<C>({
        {L"dragable", [](C& c, Value v) { c.SetDragable(ParseBool(v)); }},
        {L"align", [](C& c, Value v) { c.m_textStyle = WithHorizontalAlign(c.m_textStyle, v); }},
        {L"valign", [](C& c, Value v) { c.m_textStyle = WithVerticalAlign(c.m_textStyle, v); }},
        {L"endellipsis",
         [](C& c, Value v) {
             c.m_textStyle = WithFlag(c.m_textStyle, DT_END_ELLIPSIS, ParseBool(v));
         }},
        {L"multiline",
         [](C& c, Value v) { c.m_textStyle = WithMultiline(c.m_textStyle, ParseBool(v)); }},
        {L"font", [](C& c, Value v) { c.m_font = ParseInt(v); }},
        {L"textcolor", [](C& c, Value v) { c.m_textColor = ParseColor(v, true); }},
        {L"textpadding", [](C& c, Value v) { c.m_textPadding = ParseRect(v); }},
        {L"showhtml", [](C& c, Value v) { c.m_showHtml = ParseBool(v); }},
        {L"normalimage", [](C& c, Value v) { c.SetImage(c.m_normalImage, v); }},
        {L"hotimage", [](C& c, Value v) { c.SetImage(c.m_hotImage, v); }},
        {L"pushedimage", [](C& c, Value v) { c.SetImage(c.m_pushedImage, v); }},
        {L"focusedimage", [](C& c, Value v) { c.SetImage(c.m_focusedImage, v); }},
        {L"sepwidth", [](C& c, Value v) { c.SetSeparatorWidth(ParseInt(v)); }},
        {L"sepcolor", [](C& c, Value v) { c.m_sepColor = ParseColor(v, true); }},
        {L"sepimage", [](C& c, Value v) { c.SetImage(c.m_sepImage, v); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

void CListHeaderItemUI::HandleEvent(TInputEventUI& event) {
    if (PassMouseToParent(*this, event) || TrackHot(*this, m_hot, event)) {
        return;
    }
    const bool enabled = IsEnabled();
    const bool onSeparator =
        m_dragable && m_sepWidth != 0 && RectContains(SeparatorRect(), event.MousePoint);
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            SetCursor(LoadCursor(nullptr, enabled && onSeparator ? IDC_SIZEWE : IDC_ARROW));
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!enabled) {
                return;
            }
            if (onSeparator) {
                m_dragging = true;
                m_lastMouse = event.MousePoint;
            } else {
                m_pushed = true;
            }
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_dragging) {
                // The column keeps at least the separator's width and stays
                // within its own limits.
                const int delta = m_sepWidth >= 0 ? event.MousePoint.x - m_lastMouse.x
                                                  : m_lastMouse.x - event.MousePoint.x;
                const int floor = std::max(GetMinWidth(), std::abs(m_sepWidth));
                // Moves may come faster than layouts: grow from the width asked last.
                const int current = m_fixedSize.cx > 0 ? m_fixedSize.cx : GetWidth();
                const int width =
                    std::clamp(current + delta, floor, std::max(floor, GetMaxWidth()));
                if (width != current) {
                    m_lastMouse = event.MousePoint;
                    SetFixedWidth(width);
                }
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_dragging) {
                m_dragging = false;
                RequestParentLayout();
            } else if (m_pushed) {
                m_pushed = false;
                Invalidate();
                if (RectContains(m_itemRect, event.MousePoint) && m_manager != nullptr) {
                    m_manager->RaiseNotification(this, L"headerclick", 0, 0, false, true);
                }
            }
            return;
        default:
            CControlUI::HandleEvent(event);
            return;
    }
}

SIZE CListHeaderItemUI::GetDesiredSize(SIZE) {
    if (m_fixedSize.cy > 0 || m_manager == nullptr) {
        return m_fixedSize;
    }
    return SIZE{m_fixedSize.cx,
                m_manager->FontHeight(m_font) + 8 + m_textPadding.top + m_textPadding.bottom};
}

void CListHeaderItemUI::PaintStateImage(HDC dc) {
    const bool drawn = (m_pushed && DrawImageRecord(dc, m_pushedImage)) ||
                       (m_hot && DrawImageRecord(dc, m_hotImage)) ||
                       (m_focused && DrawImageRecord(dc, m_focusedImage));
    if (!drawn) {
        DrawImageRecord(dc, m_normalImage);
    }
    if (m_sepWidth == 0) {
        return;
    }
    const RECT strip = SeparatorRect();
    if (!m_sepImage.spec.empty()) {
        RenderEngine::DrawImageSpec(dc, m_manager, strip, m_paintRect, m_sepImage);
    } else if (m_sepColor != 0) {
        RenderEngine::DrawColor(dc, strip, AdjustedColor(m_sepColor));
    }
}

void CListHeaderItemUI::PaintTextLayer(HDC dc) {
    if (m_text.empty() || m_manager == nullptr) {
        return;
    }
    const DWORD color = m_textColor != 0 ? m_textColor : m_manager->DefaultColors().text;
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    if (m_showHtml) {
        int links = 0;
        RenderEngine::DrawMarkupText(dc, m_manager, rect, m_text, color, nullptr, nullptr, links,
                                     m_font, m_textStyle);
    } else {
        RenderEngine::DrawPlainText(dc, m_manager, rect, m_text, color, m_font, m_textStyle);
    }
}

}  // namespace VantuUI
