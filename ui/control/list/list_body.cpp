#include "ui/control/list/list_body.h"

#include "ui/control/list/list.h"

namespace VantuUI {

void CListBodyUI::HandleEvent(TInputEventUI& event) {
    if (m_owner != nullptr &&
        (event.Kind == UIEVENT_KEYDOWN || event.Kind == UIEVENT_SCROLLWHEEL)) {
        m_owner->HandleItemEvent(event);
        return;
    }
    CVerticalLayoutUI::HandleEvent(event);
}

}  // namespace VantuUI
