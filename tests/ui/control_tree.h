#pragma once

// Building control trees by hand in tests.

#include <string>

#include "ui/control/control.h"
#include "ui/layout/container/container.h"

namespace ui_testing {

// A new control of type T with the given attributes, appended to (and owned
// by) `parent`.
template <typename T = VantuUI::CControlUI>
T* AddChild(VantuUI::CContainerUI& parent, const std::wstring& attributes) {
    auto* c = new T;
    c->ApplyAttributeString(attributes);
    parent.Append(c);
    return c;
}

}  // namespace ui_testing
