// Painting of a container: its own layers, then the children clipped to the
// content area (floating children to the item rectangle), then the bars.

#include "ui/control/rect_math.h"
#include "ui/control/scroll/scroll_bar.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

bool CContainerUI::PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) {
    RECT clipRect;
    if (!RectIntersect(clipRect, paintRect, m_itemRect)) {
        return true;
    }
    RenderClip outerClip;
    RenderEngine::GenerateClip(dc, clipRect, outerClip);
    CControlUI::PaintContent(dc, paintRect, stop);

    if (!m_items.empty()) {
        const RECT content = ContentArea();
        RECT childArea;
        if (RectIntersect(childArea, paintRect, content)) {
            RenderClip childClip;
            RenderEngine::GenerateClip(dc, childArea, childClip);
            for (CControlUI* child : m_items) {
                if (child == stop) {
                    return false;
                }
                if (!child->IsVisible() || !RectsMeet(paintRect, child->GetItemRect())) {
                    continue;
                }
                if (child->IsFloating()) {
                    if (!RectsMeet(m_itemRect, child->GetItemRect())) {
                        continue;
                    }
                    // A floating child may reach past the content area.
                    childClip.UseOldClipBegin();
                    const bool keepGoing = child->Paint(dc, paintRect, stop);
                    childClip.UseOldClipEnd();
                    if (!keepGoing) {
                        return false;
                    }
                } else if (RectsMeet(content, child->GetItemRect())) {
                    if (!child->Paint(dc, paintRect, stop)) {
                        return false;
                    }
                }
            }
        } else {
            for (CControlUI* child : m_items) {
                if (child == stop) {
                    return false;
                }
                if (!child->IsVisible() || !child->IsFloating() ||
                    !RectsMeet(paintRect, child->GetItemRect()) ||
                    !RectsMeet(m_itemRect, child->GetItemRect())) {
                    continue;
                }
                if (!child->Paint(dc, paintRect, stop)) {
                    return false;
                }
            }
        }
    }

    for (CScrollBarUI* bar : {m_verticalBar, m_horizontalBar}) {
        if (bar == nullptr) {
            continue;
        }
        if (bar == stop) {
            return false;
        }
        if (bar->IsVisible() && RectsMeet(paintRect, bar->GetItemRect())) {
            if (!bar->Paint(dc, paintRect, stop)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace VantuUI
