#pragma once

// The skin's element names for control classes: "VerticalLayout" makes a
// CVerticalLayoutUI. Names match without regard to ASCII case, except those
// marked exact ("GifAnim"); see text_case.h.

#include <string_view>

namespace VantuUI {

class CControlUI;

// A new control of the class the name stands for, or null for a name that
// is not a control class (yet).
CControlUI* CreateControlByClassName(std::wstring_view name);

}  // namespace VantuUI
