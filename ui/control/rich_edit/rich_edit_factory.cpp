#include "ui/control/rich_edit/rich_edit_factory.h"

#include "ui/control/rich_edit/rich_edit.h"

namespace VantuUI {

CControlUI* MakeRichEdit() {
    return new CRichEditUI;
}

bool RichEditWantsTab(CControlUI* control) {
    const auto* edit = static_cast<CRichEditUI*>(control->FindInterface(L"RichEdit"));
    return edit != nullptr && edit->WantsTab();
}

}  // namespace VantuUI
