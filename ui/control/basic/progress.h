#pragma once

// A label that fills the part of its area standing for a value between a
// minimum and a maximum with its fore image.

#include "ui/control/basic/label.h"

namespace VantuUI {

class CProgressUI : public CLabelUI {
  public:
    CProgressUI();

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintStateImage(HDC dc) override;

    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool horizontal = true);
    int GetMinValue() const { return m_min; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_max; }
    void SetMaxValue(int max);
    int GetValue() const { return m_value; }
    // Clamped into minimum..maximum.
    void SetValue(int value);
    const std::wstring& GetForeImage() const { return m_foreImage.spec; }
    void SetForeImage(const std::wstring& spec);

  protected:
    // The filled part relative to the item's top-left corner.
    RECT FilledPart() const;

    bool m_horizontal = true;
    int m_max = 100;
    int m_min = 0;
    int m_value = 0;
    ImageDrawInfo m_foreImage;
};

}  // namespace VantuUI
