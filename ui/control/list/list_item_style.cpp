#include "ui/control/list/list_item_style.h"

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/control.h"
#include "ui/control/list/list_interfaces.h"
#include "ui/control/text_style.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

namespace {

using Style = TListItemStyleUI;
using Value = const std::wstring&;

template <DWORD Style::*Field>
void SetColor(Style& s, Value v) {
    s.*Field = ParseColor(v, true);
}

template <ImageDrawInfo Style::*Field>
void SetImage(Style& s, Value v) {
    (s.*Field).Clear();
    (s.*Field).spec = v;
}

// Alternate rows are a shade darker than the others.
DWORD AlternateShade(DWORD color) {
    if (color == 0) {
        return 0x10000000;
    }
    DWORD out = color & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const DWORD channel = (color >> shift) & 0xFF;
        out |= (channel > 0x10 ? channel - 0x10 : 0) << shift;
    }
    return out;
}

}  // namespace

bool ApplyItemStyleAttribute(TListItemStyleUI& style, const std::wstring& name,
                             const std::wstring& value) {
    static constexpr auto kAttributes = MakeAttributeTable<Style>({
        {L"itemheight", [](Style& s, Value v) { s.itemHeight = std::max(0, ParseInt(v)); }},
        {L"itemfont", [](Style& s, Value v) { s.font = ParseInt(v); }},
        {L"itemalign",
         [](Style& s, Value v) { s.textStyle = WithHorizontalAlign(s.textStyle, v); }},
        {L"itemvalign", [](Style& s, Value v) { s.textStyle = WithVerticalAlign(s.textStyle, v); }},
        {L"itemendellipsis",
         [](Style& s, Value v) {
             s.textStyle = WithFlag(s.textStyle, DT_END_ELLIPSIS, ParseBool(v));
         }},
        {L"itemmultiline",
         [](Style& s, Value v) { s.textStyle = WithMultiline(s.textStyle, ParseBool(v)); }},
        {L"itemtextpadding", [](Style& s, Value v) { s.textPadding = ParseRect(v); }},
        {L"itemtextcolor", &SetColor<&Style::textColor>},
        {L"itembkcolor", &SetColor<&Style::backColor>},
        {L"itembkimage", &SetImage<&Style::backImage>},
        {L"itemaltbk", [](Style& s, Value v) { s.alternateBack = ParseBool(v); }},
        {L"itemselectedtextcolor", &SetColor<&Style::selectedTextColor>},
        {L"itemselectedbkcolor", &SetColor<&Style::selectedBackColor>},
        {L"itemselectedimage", &SetImage<&Style::selectedImage>},
        {L"itemhottextcolor", &SetColor<&Style::hotTextColor>},
        {L"itemhotbkcolor", &SetColor<&Style::hotBackColor>},
        {L"itemhotimage", &SetImage<&Style::hotImage>},
        {L"itemdisabledtextcolor", &SetColor<&Style::disabledTextColor>},
        {L"itemdisabledbkcolor", &SetColor<&Style::disabledBackColor>},
        {L"itemdisabledimage", &SetImage<&Style::disabledImage>},
        {L"itemvlinesize", [](Style& s, Value v) { s.vLineSize = std::max(0, ParseInt(v)); }},
        {L"itemvlinecolor", &SetColor<&Style::vLineColor>},
        {L"itemhlinesize", [](Style& s, Value v) { s.hLineSize = std::max(0, ParseInt(v)); }},
        {L"itemhlinecolor", &SetColor<&Style::hLineColor>},
        {L"itemshowhtml", [](Style& s, Value v) { s.showHtml = ParseBool(v); }},
    });
    return kAttributes.Apply(style, name, value);
}

int ListItemHeight(CControlUI& item, const TListItemStyleUI& style) {
    if (style.itemHeight > 0) {
        return style.itemHeight;
    }
    CWindowManagerUI* manager = item.GetManager();
    const int fontHeight = manager != nullptr ? manager->FontHeight(style.font) : 12;
    return fontHeight + 8 + style.textPadding.top + style.textPadding.bottom;
}

DWORD ListItemTextColor(const TListItemStyleUI& style, const TListItemStateUI& state) {
    if (!state.enabled) {
        return style.disabledTextColor;
    }
    if (state.selected) {
        return style.selectedTextColor;
    }
    if (state.hot) {
        return style.hotTextColor;
    }
    return style.textColor;
}

void PaintListItemBack(HDC dc, CControlUI& item, TListItemStyleUI& style,
                       const TListItemStateUI& state) {
    const RECT& rect = item.GetItemRect();
    CWindowManagerUI* manager = item.GetManager();
    auto fill = [&](DWORD color, ImageDrawInfo& image) {
        if (color != 0) {
            RenderEngine::DrawColor(dc, rect, item.AdjustedColor(color));
        }
        if (!image.spec.empty()) {
            RenderEngine::DrawImageSpec(dc, manager, rect, rect, image);
        }
    };
    if (!state.enabled) {
        fill(style.disabledBackColor, style.disabledImage);
    } else if (state.selected) {
        fill(style.selectedBackColor, style.selectedImage);
    } else if (state.hot) {
        fill(style.hotBackColor, style.hotImage);
    } else {
        const bool alternate = style.alternateBack && state.index % 2 == 1;
        fill(alternate ? AlternateShade(style.backColor) : style.backColor, style.backImage);
    }
}

void PaintListItemLines(HDC dc, const RECT& item, const TListItemStyleUI& style,
                        const TListColumnsUI* columns) {
    if (style.hLineSize > 0) {
        const LONG y = item.bottom - style.hLineSize;
        RenderEngine::DrawColor(dc, RECT{item.left, y, item.right, item.bottom}, style.hLineColor);
    }
    if (style.vLineSize <= 0 || columns == nullptr) {
        return;
    }
    for (int i = 0; i < columns->count; ++i) {
        const LONG x = columns->rects[i].right - style.vLineSize;
        RenderEngine::DrawColor(dc, RECT{x, item.top, x + style.vLineSize, item.bottom},
                                style.vLineColor);
    }
}

void DrawListItemText(HDC dc, CControlUI& item, const TListItemStyleUI& style, DWORD color,
                      RECT rect, const std::wstring& text, RECT* linkRects, std::wstring* linkTexts,
                      int* linkCount) {
    rect.left += style.textPadding.left;
    rect.top += style.textPadding.top;
    rect.right -= style.textPadding.right;
    rect.bottom -= style.textPadding.bottom;
    if (text.empty() || rect.right <= rect.left) {
        return;
    }
    CWindowManagerUI* manager = item.GetManager();
    if (style.showHtml) {
        int unused = 0;
        RenderEngine::DrawMarkupText(dc, manager, rect, text, color, linkRects, linkTexts,
                                     linkCount != nullptr ? *linkCount : unused, style.font,
                                     style.textStyle);
    } else {
        RenderEngine::DrawPlainText(dc, manager, rect, text, color, style.font, style.textStyle);
    }
}

}  // namespace VantuUI
