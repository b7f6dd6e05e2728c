// Buttons: state images, the cross-fade, state text colours and borders.

#include <array>

#include "ui/control/basic/button.h"
#include "ui/core/manager/window_manager.h"

namespace VantuUI {

void CButtonUI::SetImageRecord(ImageDrawInfo& record, const std::wstring& spec) {
    if (record.spec == spec && record.image != nullptr) {
        return;
    }
    record.Clear();
    record.spec = spec;
    Invalidate();
}

void CButtonUI::SetNormalImage(const std::wstring& spec) {
    SetImageRecord(m_normalImage, spec);
}

void CButtonUI::SetHotImage(const std::wstring& spec) {
    SetImageRecord(m_hotImage, spec);
}

void CButtonUI::SetHotForeImage(const std::wstring& spec) {
    SetImageRecord(m_hotForeImage, spec);
}

void CButtonUI::SetPushedImage(const std::wstring& spec) {
    SetImageRecord(m_pushedImage, spec);
}

void CButtonUI::SetFocusedImage(const std::wstring& spec) {
    SetImageRecord(m_focusedImage, spec);
}

void CButtonUI::SetDisabledImage(const std::wstring& spec) {
    SetImageRecord(m_disabledImage, spec);
}

void CButtonUI::SetForeImage(const std::wstring& spec) {
    SetImageRecord(m_secondImage, spec);
}

void CButtonUI::SetFiveStatusImage(const std::wstring& spec) {
    m_fiveStatusSpec = spec;
    ApplyFiveStatusImage();
}

void CButtonUI::ApplyFiveStatusImage() {
    if (m_fiveStatusSpec.empty() || m_manager == nullptr) {
        return;
    }
    const std::array<ImageDrawInfo*, 5> columns{&m_normalImage, &m_pushedImage, &m_hotImage,
                                                &m_focusedImage, &m_disabledImage};
    for (ImageDrawInfo* record : columns) {
        record->Clear();
        record->spec = m_fiveStatusSpec;
        // Loads without drawing.
        RenderEngine::DrawImageSpec(nullptr, m_manager, m_itemRect, m_paintRect, *record);
    }
    m_fiveStatusSpec.clear();
    const ImageInfo* image = m_normalImage.image;
    if (image == nullptr) {
        return;
    }
    const LONG width = image->width / 5;
    for (LONG k = 0; k < 5; ++k) {
        columns[k]->source = RECT{k * width, 0, (k + 1) * width, image->height};
    }
    if (m_floating && m_fixedSize.cx == 0 && m_fixedSize.cy == 0) {
        m_fixedSize = SIZE{width, image->height};
    }
    Invalidate();
}

bool CButtonUI::DrawImageFaded(HDC dc, ImageDrawInfo& record, BYTE fade) {
    // Load first: loading applies the image spec's own fade.
    if (!RenderEngine::DrawImageSpec(nullptr, m_manager, m_itemRect, m_paintRect, record)) {
        return false;
    }
    record.fade = fade;
    return DrawImageRecord(dc, record);
}

void CButtonUI::PaintNormalState(HDC dc) {
    if (m_fadeDelta != 0 && m_fadeAlpha < 255) {
        DrawImageFaded(dc, m_hotImage, static_cast<BYTE>(255 - m_fadeAlpha));
        DrawImageFaded(dc, m_normalImage, m_fadeAlpha);
    } else {
        DrawImageFaded(dc, m_normalImage, 255);
    }
    DrawImageRecord(dc, m_secondImage);
}

void CButtonUI::PaintStateImage(HDC dc) {
    m_buttonState =
        IsFocused() ? m_buttonState | UISTATE_FOCUSED : m_buttonState & ~UISTATE_FOCUSED;
    m_buttonState =
        IsEnabled() ? m_buttonState & ~UISTATE_DISABLED : m_buttonState | UISTATE_DISABLED;

    if ((m_buttonState & UISTATE_DISABLED) != 0) {
        if (!DrawImageRecord(dc, m_disabledImage)) {
            PaintNormalState(dc);
        }
        return;
    }
    if ((m_buttonState & UISTATE_PUSHED) != 0) {
        if (!DrawImageRecord(dc, m_pushedImage)) {
            DrawImageRecord(dc, m_normalImage);
        }
        DrawImageRecord(dc, m_secondImage);
        return;
    }
    if ((m_buttonState & UISTATE_HOT) != 0) {
        if (m_hotBackColor != 0) {
            RenderEngine::DrawColor(dc, m_paintRect, AdjustedColor(m_hotBackColor));
        }
        if (m_fadeDelta != 0) {
            if (m_fadeAlpha != 0) {
                DrawImageFaded(dc, m_normalImage, m_fadeAlpha);
            }
            DrawImageFaded(dc, m_hotImage,
                           m_fadeAlpha != 0 ? static_cast<BYTE>(255 - m_fadeAlpha) : 255);
        } else if (!DrawImageRecord(dc, m_hotImage)) {
            DrawImageRecord(dc, m_normalImage);
        }
        if (!DrawImageRecord(dc, m_hotForeImage)) {
            DrawImageRecord(dc, m_secondImage);
        }
        return;
    }
    if ((m_buttonState & UISTATE_FOCUSED) != 0 && DrawImageRecord(dc, m_focusedImage)) {
        DrawImageRecord(dc, m_secondImage);
        return;
    }
    PaintNormalState(dc);
}

void CButtonUI::PaintTextLayer(HDC dc) {
    DWORD color = StateTextColor();
    if ((m_buttonState & UISTATE_PUSHED) != 0 && m_pushedTextColor != 0) {
        color = m_pushedTextColor;
    } else if ((m_buttonState & UISTATE_HOT) != 0 && m_hotTextColor != 0) {
        color = m_hotTextColor;
    } else if ((m_buttonState & UISTATE_FOCUSED) != 0 && m_focusedTextColor != 0) {
        color = m_focusedTextColor;
    }
    if (m_text.empty()) {
        return;
    }
    RECT rect{m_itemRect.left + m_textPadding.left, m_itemRect.top + m_textPadding.top,
              m_itemRect.right - m_textPadding.right, m_itemRect.bottom - m_textPadding.bottom};
    DrawLabelText(dc, rect, color, m_textStyle);
}

void CButtonUI::PaintBorderLayer(HDC dc) {
    if ((m_buttonState & UISTATE_PUSHED) != 0 && m_pushedBorderColor != 0) {
        DrawBorder(dc, m_pushedBorderColor, m_pushedBorderSize);
    } else if ((m_buttonState & UISTATE_HOT) != 0 && (m_buttonState & UISTATE_PUSHED) == 0 &&
               m_hotBorderColor != 0) {
        DrawBorder(dc, m_hotBorderColor, m_hotBorderSize);
    } else {
        CLabelUI::PaintBorderLayer(dc);
    }
}

}  // namespace VantuUI
