// Text controls: tagged text with clickable links.

#include "ui/control/basic/text.h"

#include "platform/window/window_api.h"
#include "ui/control/rect_math.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

CTextUI::CTextUI() {
    m_textStyle = DT_WORDBREAK;
    m_textPadding = RECT{2, 0, 2, 0};
}

std::wstring CTextUI::GetClass() const {
    return L"Text";
}

void* CTextUI::FindInterface(const std::wstring& name) {
    if (name == L"Text") {
        return this;
    }
    return CLabelUI::FindInterface(name);
}

UINT CTextUI::GetInputFlags() {
    return IsEnabled() && m_linkCount > 0 ? UIFLAG_SETCURSOR : 0;
}

RECT CTextUI::GetLinkRect(int index) const {
    if (index < 0 || index >= m_linkCount) {
        return RECT{};
    }
    return m_linkRects[index];
}

const std::wstring* CTextUI::GetLinkContent(int index) const {
    if (index < 0 || index >= m_linkCount) {
        return nullptr;
    }
    return &m_linkTexts[index];
}

int CTextUI::LinkAt(POINT point) const {
    for (int i = 0; i < m_linkCount; ++i) {
        if (RectContains(m_linkRects[i], point)) {
            return i;
        }
    }
    return -1;
}

void CTextUI::HandleEvent(TInputEventUI& event) {
    if (PassOnIgnoredMouseEvent(event)) {
        return;
    }
    const int link = LinkAt(event.MousePoint);
    switch (event.Kind) {
        case UIEVENT_SETCURSOR:
            if (link >= 0) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (IsEnabled() && link >= 0) {
                Invalidate();
                return;
            }
            break;
        case UIEVENT_BUTTONUP:
            if (IsEnabled() && link >= 0) {
                if (m_manager != nullptr) {
                    m_manager->RaiseNotification(this, L"link", static_cast<WPARAM>(link), 0, false,
                                                 true);
                }
                return;
            }
            break;
        case UIEVENT_CONTEXTMENU:
            return;
        case UIEVENT_MOUSEMOVE:
            if (IsEnabled()) {
                if (link != m_hoverLink) {
                    m_hoverLink = link;
                    Invalidate();
                }
                return;
            }
            break;
        case UIEVENT_MOUSELEAVE:
            if (m_hoverLink >= 0) {
                if (m_manager != nullptr && link == m_hoverLink) {
                    m_manager->RequestMouseLeave(this);
                    return;
                }
                m_hoverLink = -1;
                Invalidate();
                if (m_manager != nullptr) {
                    m_manager->CancelMouseLeave(this);
                }
                return;
            }
            break;
        default:
            break;
    }
    CLabelUI::HandleEvent(event);
}

void CTextUI::PaintTextLayer(HDC dc) {
    const DWORD color = StateTextColor();
    m_linkCount = 0;
    if (m_text.empty()) {
        return;
    }
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    if (m_showHtml) {
        m_linkCount = kMaxLinks;
        RenderEngine::DrawMarkupText(dc, m_manager, rect, m_text, color, m_linkRects.data(),
                                     m_linkTexts.data(), m_linkCount, m_font, m_textStyle);
    } else {
        RenderEngine::DrawPlainText(dc, m_manager, rect, m_text, color, m_font, m_textStyle);
    }
}

}  // namespace VantuUI
