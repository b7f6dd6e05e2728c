// The label's text effects on GDI: gradient text, glow, outline and shadow.
// DrawTextW gives the text's coverage once (white on black, greyscale
// antialiased); the effects paint it in their brushes on a layer over the
// label, which AlphaBlend lays over the DC.

#include <algorithm>
#include <string>

#include "platform/gdi/windows/gdi_objects.h"
#include "ui/control/basic/label.h"
#include "ui/control/basic/label_effects.h"
#include "ui/control/basic/windows/effect_layer.h"
#include "ui/core/manager/window_manager.h"
#include "ui/render/text/text_layout.h"

namespace VantuUI {

namespace {

// The text's coverage in a w x h box, laid out with the DrawText flags.
bool TextCoverage(const FontInfo& font, const std::wstring& text, UINT style, CoverageMask& mask) {
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap = platform::CreateDibSection(mask.width, mask.height, &bits);
    platform::MemoryDc dc = platform::CreateMemoryDc();
    platform::FontObject object = platform::CreateFontObject(font);
    if (bitmap == nullptr || dc == nullptr || object == nullptr) {
        return false;
    }
    {
        platform::Selection selectedBitmap(dc.get(), bitmap.get());
        platform::Selection selectedFont(dc.get(), object.get());
        SetTextColor(dc.get(), RGB(255, 255, 255));
        SetBkMode(dc.get(), TRANSPARENT);
        RECT box{0, 0, mask.width, mask.height};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, style);
        GdiFlush();
    }
    const std::size_t count = static_cast<std::size_t>(mask.width) * mask.height;
    mask.values.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = bits[i];
        mask.values[i] =
            static_cast<std::uint8_t>(std::max({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF}));
    }
    return true;
}

// The layer laid over `dc` at `area`, its alpha per pixel.
void BlendLayer(HDC dc, const RECT& area, const EffectImage& layer) {
    std::uint32_t* bits = nullptr;
    platform::BitmapObject bitmap = platform::CreateDibSection(layer.width, layer.height, &bits);
    platform::MemoryDc source = platform::CreateMemoryDc();
    if (bitmap == nullptr || source == nullptr) {
        return;
    }
    std::copy(layer.pixels.begin(), layer.pixels.end(), bits);
    platform::Selection selected(source.get(), bitmap.get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, area.left, area.top, layer.width, layer.height, source.get(), 0, 0, layer.width,
               layer.height, blend);
}

}  // namespace

void CLabelUI::PaintTextEffects(HDC dc, const RECT& rect, DWORD color, UINT style) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (dc == nullptr || m_manager == nullptr || width <= 0 || height <= 0) {
        return;
    }
    // Everything lands inside the label and the DC's clip.
    RECT clipBox{};
    if (GetClipBox(dc, &clipBox) == ERROR) {
        return;
    }
    RECT area{};
    if (!IntersectRect(&area, &m_itemRect, &clipBox)) {
        return;
    }
    const std::wstring shown = PlainTextShown(dc, m_manager, m_text, style).value_or(L"");
    CoverageMask glyphs{width, height, {}};
    const UINT layout = (style | DT_NOPREFIX) & ~static_cast<UINT>(DT_CALCRECT | DT_MODIFYSTRING);
    if (shown.empty() || !TextCoverage(ResolveFont(m_manager, m_font), shown, layout, glyphs)) {
        return;
    }

    // The brushes run from (angle, 0) to (0, length) of the text rectangle,
    // so a label looks the same wherever it sits in the window.
    const double length = m_gradientLength != 0 ? m_gradientLength : height;
    const CLinearBrushUI textBrush(m_gradientAngle, 0, 0, length, color,
                                   m_textColor1.value_or(color));
    const CLinearBrushUI shadowBrush(m_gradientAngle, 0, 0, length, m_shadowColorA,
                                     m_shadowColorB.value_or(m_shadowColorA));
    const POINT offset = m_shadowOffset;
    EffectImage layer(area.right - area.left, area.bottom - area.top);
    const POINT origin{rect.left - area.left, rect.top - area.top};
    auto shifted = [&](int dx, int dy) { return POINT{origin.x + dx, origin.y + dy}; };

    if (m_luminous) {
        // A glow: the text shrunk by the fuzzy factor and blown up again blurs it.
        EffectImage painted(width, height);
        PaintMask(painted, POINT{0, 0}, glyphs, textBrush, POINT{0, 0});
        PaintImage(layer, origin, Glow(painted, GlowSize(width, height, m_luminousFuzzy), offset));
    }
    if (m_stroke && m_strokeColor != 0) {
        const CLinearBrushUI stroke(0, 0, 0, 0, m_strokeColor, m_strokeColor);
        for (POINT step : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
            PaintMask(layer, shifted(step.x, step.y), glyphs, stroke, origin);
        }
    }
    if (m_shadow && (m_shadowColorA != 0 || m_shadowColorB.value_or(0) != 0)) {
        PaintMask(layer, shifted(offset.x, offset.y), glyphs, shadowBrush, origin);
    }
    PaintMask(layer, origin, glyphs, textBrush, origin);
    BlendLayer(dc, area, layer);
}

}  // namespace VantuUI
