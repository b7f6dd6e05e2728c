// The skin attribute table of every control and attribute strings.

#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/control/control.h"

namespace VantuUI {

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto setBackColor = [](CControlUI& c, Value v) {
        c.SetBackColor(ParseColor(v, true));
    };
    static constexpr auto kAttributes = MakeAttributeTable<CControlUI>({
        {L"pos",
         [](CControlUI& c, Value v) {
             const RECT r = ParseRect(v);
             c.SetFloatOffset(SIZE{r.left, r.top});
             c.SetFixedWidth(r.right - r.left);
             c.SetFixedHeight(r.bottom - r.top);
         }},
        {L"padding", [](CControlUI& c, Value v) { c.SetPadding(ParseRect(v)); }},
        {L"bkcolor", setBackColor},
        {L"bkcolor1", setBackColor},
        {L"bkcolor2", [](CControlUI& c, Value v) { c.SetBackColor2(ParseColor(v, true)); }},
        {L"bkcolor3", [](CControlUI& c, Value v) { c.SetBackColor3(ParseColor(v, true)); }},
        {L"forecolor", [](CControlUI& c, Value v) { c.SetForeColor(ParseColor(v, true)); },
         AttributeCase::Any},
        {L"bordercolor", [](CControlUI& c, Value v) { c.SetBorderColor(ParseColor(v, false)); }},
        {L"focusbordercolor",
         [](CControlUI& c, Value v) { c.SetFocusedBorderColor(ParseColor(v, false)); }},
        {L"colorhsl", [](CControlUI& c, Value v) { c.SetUseHsl(ParseBool(v)); }},
        {L"bordersize", [](CControlUI& c, Value v) { c.SetBorderWidths(ParseBorderWidths(v)); }},
        {L"borderstyle", [](CControlUI& c, Value v) { c.SetBorderPenStyle(ParseInt(v)); }},
        {L"borderround", [](CControlUI& c, Value v) { c.SetCornerRound(ParseSize(v)); }},
        {L"bkimage", [](CControlUI& c, Value v) { c.SetBackImage(v); }},
        {L"width", [](CControlUI& c, Value v) { c.SetFixedWidth(ParseInt(v)); }},
        {L"height", [](CControlUI& c, Value v) { c.SetFixedHeight(ParseInt(v)); }},
        {L"minwidth", [](CControlUI& c, Value v) { c.SetMinWidth(ParseInt(v)); }},
        {L"minheight", [](CControlUI& c, Value v) { c.SetMinHeight(ParseInt(v)); }},
        {L"maxwidth", [](CControlUI& c, Value v) { c.SetMaxWidth(ParseInt(v)); }},
        {L"maxheight", [](CControlUI& c, Value v) { c.SetMaxHeight(ParseInt(v)); }},
        {L"name", [](CControlUI& c, Value v) { c.SetName(v); }},
        {L"text", [](CControlUI& c, Value v) { c.SetText(v); }},
        {L"tooltip", [](CControlUI& c, Value v) { c.SetToolTip(v); }},
        {L"userdata", [](CControlUI& c, Value v) { c.SetUserData(v); }},
        {L"tag",
         [](CControlUI& c, Value v) {
             c.SetTag(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(ParseInt(v))));
         }},
        {L"enabled", [](CControlUI& c, Value v) { c.SetEnabled(ParseBool(v)); }},
        {L"mouse", [](CControlUI& c, Value v) { c.SetAcceptsMouse(ParseBool(v)); }},
        {L"keyboard", [](CControlUI& c, Value v) { c.SetAcceptsKeyboard(ParseBool(v)); }},
        {L"visible", [](CControlUI& c, Value v) { c.SetVisible(ParseBool(v)); }},
        {L"float",
         [](CControlUI& c, Value v) {
             if (v.find(L',') != std::wstring::npos) {
                 double f[4];
                 ParseFractions(v, f, 4);
                 c.SetFloatAnchors(TFloatAnchorsUI{f[0], f[1], f[2], f[3]});
                 c.SetFloating(true);
             } else {
                 c.SetFloating(ParseBool(v));
             }
         }},
        {L"shortcut", [](CControlUI& c, Value v) { c.SetShortcut(v.empty() ? L'\0' : v[0]); }},
        {L"menu", [](CControlUI& c, Value v) { c.SetWantsContextMenu(ParseBool(v)); }},
        {L"virtualwnd", [](CControlUI& c, Value v) { c.SetVirtualWindowName(v); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        StoreExtraAttribute(name, value);
    }
}

void CControlUI::ApplyAttributeString(const std::wstring& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t equals = text.find(L'=', pos);
        if (equals == std::wstring::npos) {
            return;
        }
        const std::wstring name = text.substr(pos, equals - pos);
        if (equals + 1 >= text.size() || text[equals + 1] != L'"') {
            return;
        }
        const size_t valueStart = equals + 2;
        const size_t closing = text.find(L'"', valueStart);
        if (closing == std::wstring::npos) {
            return;
        }
        SetAttribute(name, text.substr(valueStart, closing - valueStart));
        pos = closing + 1;
        if (pos >= text.size() || text[pos] != L' ') {
            return;
        }
        ++pos;
    }
}

}  // namespace VantuUI
