#pragma once

// A text with padding and alignment, optionally in tagged rich text and with
// glow, stroke, shadow and gradient effects. The base of every text-bearing
// control (text, buttons, progress bars, edit boxes).

#include <optional>

#include "ui/control/control.h"

namespace VantuUI {

class CLabelUI : public CControlUI {
  public:
    CLabelUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetText(const std::wstring& text) override;
    void SetFixedWidth(int width) override;
    void SetFixedHeight(int height) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE GetDesiredSize(SIZE available) override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintTextLayer(HDC dc) override;

    UINT GetTextStyle() const { return m_textStyle; }
    void SetTextStyle(UINT style);
    DWORD GetTextColor() const { return m_textColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_disabledTextColor; }
    void SetDisabledTextColor(DWORD color);
    int GetFont() const { return m_font; }
    void SetFont(int id);
    RECT GetTextPadding() const { return m_textPadding; }
    void SetTextPadding(RECT padding);
    bool IsShowHtml() const { return m_showHtml; }
    void SetShowHtml(bool showHtml = true);
    bool IsMultiLine() const { return (m_textStyle & DT_SINGLELINE) == 0; }
    void SetMultiLine(bool multiLine = true);

    // Text effects.
    bool IsEffectEnabled() const { return m_effectsOn; }
    void SetEnabledEffect(bool enabled);
    void SetEnabledLuminous(bool enabled);
    void SetLuminousFuzzy(float fuzzy);
    float GetLuminousFuzzy() const { return m_luminousFuzzy; }
    void SetEnabledStroke(bool enabled);
    void SetEnabledShadow(bool enabled);
    void SetGradientAngle(int angle);
    void SetGradientLength(int length);
    void SetTextColor1(DWORD color);
    void SetTextShadowColorA(DWORD color);
    void SetTextShadowColorB(DWORD color);
    void SetStrokeColor(DWORD color);
    // A shadow `offset` pixels away in the direction `angle` (-180..180
    // degrees; other angles are ignored).
    void SetShadowOffset(int offset, int angle);
    POINT GetShadowOffset() const { return m_shadowOffset; }

  protected:
    // The text colour for the current state, the manager's defaults standing
    // in for colours left at 0.
    DWORD StateTextColor();
    // The text's extent laid out within `bounds` (empty for no text).
    RECT MeasureText(RECT bounds);
    // Height of the text laid out in `rect` (its width counts, its height does not).
    int MeasureTextHeight(const RECT& rect);
    // Draws the text in `rect` as plain or tagged text with the label's
    // font; with DT_CALCRECT, measures it into `rect` instead.
    void DrawLabelText(HDC dc, RECT& rect, DWORD color, UINT style);
    // The effects' drawing (label_effects.cpp).
    void PaintTextEffects(HDC dc, const RECT& rect, DWORD color, UINT style);
    void MeasureAgain();
    // For a control that takes no mouse input: hands a mouse event to the
    // parent (the label's own handling without one) and returns true.
    bool PassOnIgnoredMouseEvent(TInputEventUI& event);

    DWORD m_textColor = 0;
    DWORD m_disabledTextColor = 0;
    int m_font = -1;
    UINT m_textStyle = DT_VCENTER | DT_SINGLELINE;
    RECT m_textPadding{};
    bool m_showHtml = false;
    SIZE m_measuredFor{};
    SIZE m_measured{};
    bool m_needsMeasure = true;
    float m_luminousFuzzy = 3.0f;
    int m_gradientLength = 0;
    int m_gradientAngle = 0;
    bool m_effectsOn = false;
    bool m_luminous = false;
    bool m_stroke = false;
    bool m_shadow = false;
    std::optional<DWORD> m_textColor1;  // none: the text colour throughout
    DWORD m_shadowColorA = 0xFF000000;
    std::optional<DWORD> m_shadowColorB;  // none: shadow colour A throughout
    DWORD m_strokeColor = 0;
    POINT m_shadowOffset{};
};

}  // namespace VantuUI
