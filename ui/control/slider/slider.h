#pragma once

// A progress bar with a thumb (element "Slider"): clicking, dragging and the
// mouse wheel set its value, and it reports "valuechanged".

#include "ui/control/basic/progress.h"
#include "ui/control/slider/slider_track.h"

namespace VantuUI {

class CSliderUI : public CProgressUI {
  public:
    CSliderUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void SetEnabled(bool enabled = true) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintStateImage(HDC dc) override;

    // The change of one wheel notch.
    int GetChangeStep() const { return m_step; }
    void SetChangeStep(int step) { m_step = step; }
    SIZE GetThumbSize() const { return m_thumbSize; }
    void SetThumbSize(SIZE size);
    // The thumb in window coordinates.
    RECT GetThumbRect() const;
    // Immediate mode reports every step of a drag, not only its end.
    bool IsImmMode() const { return m_immMode; }
    void SetImmMode(bool immMode) { m_immMode = immMode; }
    UINT GetState() const { return m_state; }

    const std::wstring& GetThumbImage() const { return m_thumbImage.spec; }
    void SetThumbImage(const std::wstring& spec);
    const std::wstring& GetThumbHotImage() const { return m_thumbHotImage.spec; }
    void SetThumbHotImage(const std::wstring& spec);
    const std::wstring& GetThumbPushedImage() const { return m_thumbPushedImage.spec; }
    void SetThumbPushedImage(const std::wstring& spec);

  private:
    SliderTrack Track() const;
    // Moves the value by `delta` (clamped) and reports it.
    void StepBy(long long delta);
    void RaiseValueChanged();
    void SetThumbRecord(ImageDrawInfo& record, const std::wstring& spec);

    UINT m_state = 0;
    int m_step = 1;
    bool m_immMode = false;
    SIZE m_thumbSize{10, 10};
    ImageDrawInfo m_thumbImage;
    ImageDrawInfo m_thumbHotImage;
    ImageDrawInfo m_thumbPushedImage;
};

}  // namespace VantuUI
