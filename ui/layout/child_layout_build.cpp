// The skin builder is not part of the toolkit yet: nothing can be built, so a
// child layout stays empty.

#include "ui/layout/child_layout.h"

namespace VantuUI {

CControlUI* BuildChildLayoutContent(const std::wstring&, CWindowManagerUI*) {
    return nullptr;
}

}  // namespace VantuUI
