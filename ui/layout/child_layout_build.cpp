// A child layout's content is the first control of its skin file, built for
// the child layout's window.

#include "ui/core/builder/skin_builder.h"
#include "ui/layout/child_layout.h"

namespace VantuUI {

CControlUI* BuildChildLayoutContent(const std::wstring& file, CWindowManagerUI* manager) {
    CSkinBuilder builder;
    return builder.Build(std::wstring_view(file), nullptr, manager, nullptr);
}

}  // namespace VantuUI
