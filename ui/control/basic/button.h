#pragma once

// A label that is clicked: five state images (normal, hot, pushed, focused,
// disabled), state colours and borders, a cross-fade between the normal and
// the hot image, and the "click" notification.

#include "ui/control/basic/label.h"
#include "ui/control/control_state.h"

namespace VantuUI {

class CButtonUI : public CLabelUI {
  public:
    // The manager timer key of the cross-fade and its period.
    static constexpr UINT kFadeTimer = 11;
    static constexpr UINT kFadeElapse = 30;

    CButtonUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    SIZE GetDesiredSize(SIZE available) override;
    void HandleEvent(TInputEventUI& event) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;
    void PaintBorderLayer(HDC dc) override;

    // Raises "click" when the control may be activated (visible and enabled).
    bool Activate() override;

    UINT GetButtonState() const { return m_buttonState; }

    const std::wstring& GetNormalImage() const { return m_normalImage.spec; }
    void SetNormalImage(const std::wstring& spec);
    const std::wstring& GetHotImage() const { return m_hotImage.spec; }
    void SetHotImage(const std::wstring& spec);
    const std::wstring& GetHotForeImage() const { return m_hotForeImage.spec; }
    void SetHotForeImage(const std::wstring& spec);
    const std::wstring& GetPushedImage() const { return m_pushedImage.spec; }
    void SetPushedImage(const std::wstring& spec);
    const std::wstring& GetFocusedImage() const { return m_focusedImage.spec; }
    void SetFocusedImage(const std::wstring& spec);
    const std::wstring& GetDisabledImage() const { return m_disabledImage.spec; }
    void SetDisabledImage(const std::wstring& spec);
    const std::wstring& GetForeImage() const { return m_secondImage.spec; }
    void SetForeImage(const std::wstring& spec);
    // One image of five equal columns: normal, pushed, hot, focused, disabled.
    void SetFiveStatusImage(const std::wstring& spec);

    DWORD GetHotBkColor() const { return m_hotBackColor; }
    void SetHotBkColor(DWORD color);
    DWORD GetHotTextColor() const { return m_hotTextColor; }
    void SetHotTextColor(DWORD color);
    DWORD GetPushedTextColor() const { return m_pushedTextColor; }
    void SetPushedTextColor(DWORD color);
    DWORD GetFocusedTextColor() const { return m_focusedTextColor; }
    void SetFocusedTextColor(DWORD color);
    void SetHotBorderColor(DWORD color);
    void SetHotBorderSize(RECT sizes);
    void SetPushedBorderColor(DWORD color);
    void SetPushedBorderSize(RECT sizes);

    // The fade step per timer tick; 0 switches the cross-fade off.
    BYTE GetFadeDelta() const { return m_fadeDelta; }
    void SetFadeDelta(BYTE delta);
    BYTE GetFadeAlpha() const { return m_fadeAlpha; }

  protected:
    // Replaces `record` by a new spec; repaints.
    void SetImageRecord(ImageDrawInfo& record, const std::wstring& spec);
    // Draws `record` with `fade` in place of the image spec's own.
    bool DrawImageFaded(HDC dc, ImageDrawInfo& record, BYTE fade);
    // Splits the pending five-status image into the state records.
    void ApplyFiveStatusImage();
    // The normal look: the normal image, cross-fading from the hot one.
    void PaintNormalState(HDC dc);
    void StepFade();

    UINT m_buttonState = 0;
    DWORD m_hotBackColor = 0;
    DWORD m_hotTextColor = 0;
    DWORD m_pushedTextColor = 0;
    DWORD m_focusedTextColor = 0;
    BYTE m_fadeAlpha = 255;
    BYTE m_fadeDelta = 0;
    ImageDrawInfo m_normalImage;
    ImageDrawInfo m_hotImage;
    ImageDrawInfo m_hotForeImage;
    ImageDrawInfo m_pushedImage;
    ImageDrawInfo m_focusedImage;
    ImageDrawInfo m_disabledImage;
    DWORD m_hotBorderColor = 0;
    RECT m_hotBorderSize{};
    DWORD m_pushedBorderColor = 0;
    RECT m_pushedBorderSize{};
    std::wstring m_fiveStatusSpec;  // waiting for a manager to load it
};

}  // namespace VantuUI
