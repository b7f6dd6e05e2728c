#include "ui/control/list/list_body.h"

#include <algorithm>

#include "ui/control/list/header/list_header.h"
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

void CListBodyUI::SetItemRect(RECT rect, bool invalidate) {
    CVerticalLayoutUI::SetItemRect(rect, invalidate);
    if (m_owner != nullptr) {
        m_owner->PlaceHeader();
    }
}

void CListBodyUI::SetScrollOffset(SIZE offset) {
    const LONG before = GetScrollOffset().cx;
    CVerticalLayoutUI::SetScrollOffset(offset);
    if (m_owner != nullptr && GetScrollOffset().cx != before) {
        m_owner->PlaceHeader();
    }
}

void CListBodyUI::UpdateScrollBars(RECT rect, int neededWidth, int neededHeight) {
    CListHeaderUI* header = m_owner != nullptr ? m_owner->GetHeader() : nullptr;
    if (header != nullptr && header->IsVisible()) {
        const SIZE available{rect.right - rect.left, rect.bottom - rect.top};
        neededWidth = std::max<int>(neededWidth, header->GetDesiredSize(available).cx);
    }
    CVerticalLayoutUI::UpdateScrollBars(rect, neededWidth, neededHeight);
}

}  // namespace VantuUI
