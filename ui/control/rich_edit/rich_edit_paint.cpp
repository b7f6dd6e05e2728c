// Where the rich edit's text and bars lie, and painting them.

#include "ui/control/rect_math.h"
#include "ui/control/rich_edit/rich_edit.h"
#include "ui/control/rich_edit/rich_edit_host.h"
#include "ui/control/rich_edit/text_layer.h"
#include "ui/control/scroll/scroll_bar.h"

namespace VantuUI {

RECT CRichEditUI::TextArea() const {
    RECT area = ContentArea();
    area.left += m_textPadding.left;
    area.top += m_textPadding.top;
    area.right -= m_textPadding.right;
    area.bottom -= m_textPadding.bottom;
    area.right = std::max(area.left, area.right);
    area.bottom = std::max(area.top, area.bottom);
    return area;
}

// The bars go to the right of and below the text area; the text services
// learn the area that is left.
void CRichEditUI::UpdateHostClientRect() {
    const RECT area = ContentArea();
    if (VerticalBarShown()) {
        m_verticalBar->SetItemRect(
            RECT{area.right, area.top, area.right + m_verticalBar->GetFixedWidth(), area.bottom},
            true);
    }
    if (HorizontalBarShown()) {
        m_horizontalBar->SetItemRect(RECT{area.left, area.bottom, area.right,
                                          area.bottom + m_horizontalBar->GetFixedHeight()},
                                     true);
    }
    if (m_host != nullptr) {
        m_host->SetClientRect(TextArea());
    }
}

void CRichEditUI::SetItemRect(RECT rect, bool invalidate) {
    CControlUI::SetItemRect(rect, invalidate);
    UpdateHostClientRect();
}

void CRichEditUI::Move(SIZE offset, bool invalidate) {
    CContainerUI::Move(offset, invalidate);
    UpdateHostClientRect();
}

// The text is the control's text layer: over its colours and images, under
// its children and bars, which the container paints after the layers.
void CRichEditUI::PaintTextLayer(HDC dc) {
    RECT area;
    if (m_host != nullptr && RectIntersect(area, m_paintRect, m_itemRect)) {
        DrawTextLayer(dc, area, m_host->Services());
    }
}

}  // namespace VantuUI
