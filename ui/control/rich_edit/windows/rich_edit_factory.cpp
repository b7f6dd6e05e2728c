// The rich edit needs the system's text services (CreateTextServices), not
// wired up yet: skins naming it get no control.

#include "ui/control/rich_edit/rich_edit_factory.h"

namespace VantuUI {

CControlUI* MakeRichEdit() {
    return nullptr;
}

bool RichEditWantsTab(CControlUI*) {
    return false;
}

}  // namespace VantuUI
