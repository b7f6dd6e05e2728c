// The skin attribute table of every control and attribute strings.

#include <cwctype>

#include "ui/control/attribute_values.h"
#include "ui/control/control.h"

namespace VantuUI {

namespace {

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != L'\0'; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == L'\0';
}

}  // namespace

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"pos") {
        const RECT r = ParseRect(value);
        SetFloatOffset(SIZE{r.left, r.top});
        SetFixedWidth(r.right - r.left);
        SetFixedHeight(r.bottom - r.top);
    } else if (name == L"padding") {
        SetPadding(ParseRect(value));
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        SetBackColor(ParseColor(value, true));
    } else if (name == L"bkcolor2") {
        SetBackColor2(ParseColor(value, true));
    } else if (name == L"bkcolor3") {
        SetBackColor3(ParseColor(value, true));
    } else if (EqualsNoCase(name, L"forecolor")) {
        SetForeColor(ParseColor(value, true));
    } else if (name == L"bordercolor") {
        SetBorderColor(ParseColor(value, false));
    } else if (name == L"focusbordercolor") {
        SetFocusedBorderColor(ParseColor(value, false));
    } else if (name == L"colorhsl") {
        SetUseHsl(ParseBool(value));
    } else if (name == L"bordersize") {
        if (value.find(L',') == std::wstring::npos) {
            SetBorderWidths(ParseInt(value));
        } else {
            SetBorderWidths(ParseRect(value));
        }
    } else if (name == L"borderstyle") {
        SetBorderPenStyle(ParseInt(value));
    } else if (name == L"borderround") {
        SetCornerRound(ParseSize(value));
    } else if (name == L"bkimage") {
        SetBackImage(value);
    } else if (name == L"width") {
        SetFixedWidth(ParseInt(value));
    } else if (name == L"height") {
        SetFixedHeight(ParseInt(value));
    } else if (name == L"minwidth") {
        SetMinWidth(ParseInt(value));
    } else if (name == L"minheight") {
        SetMinHeight(ParseInt(value));
    } else if (name == L"maxwidth") {
        SetMaxWidth(ParseInt(value));
    } else if (name == L"maxheight") {
        SetMaxHeight(ParseInt(value));
    } else if (name == L"name") {
        SetName(value);
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"tooltip") {
        SetToolTip(value);
    } else if (name == L"userdata") {
        SetUserData(value);
    } else if (name == L"tag") {
        SetTag(static_cast<std::uintptr_t>(static_cast<std::intptr_t>(ParseInt(value))));
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"mouse") {
        SetAcceptsMouse(ParseBool(value));
    } else if (name == L"keyboard") {
        SetAcceptsKeyboard(ParseBool(value));
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"float") {
        if (value.find(L',') != std::wstring::npos) {
            double f[4];
            ParseFractions(value, f, 4);
            SetFloatAnchors(TFloatAnchorsUI{f[0], f[1], f[2], f[3]});
            SetFloating(true);
        } else {
            SetFloating(ParseBool(value));
        }
    } else if (name == L"shortcut") {
        SetShortcut(value.empty() ? L'\0' : value[0]);
    } else if (name == L"menu") {
        SetWantsContextMenu(ParseBool(value));
    } else if (name == L"virtualwnd") {
        SetVirtualWindowName(value);
    } else {
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
