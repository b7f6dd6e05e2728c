#pragma once

// A button that stays selected. Options sharing a group name in one window
// form a group of which at most one member is selected.

#include "ui/control/basic/button.h"

namespace VantuUI {

class COptionUI : public CButtonUI {
  public:
    COptionUI();
    ~COptionUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void AttachToManager(CWindowManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool Activate() override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;
    void PaintBorderLayer(HDC dc) override;

    bool IsSelected() const { return m_selected; }
    // Selecting a grouped option deselects the rest of its group; with
    // `notify`, "selectchanged" follows.
    virtual void SetSelected(bool selected, bool notify = true);
    const std::wstring& GetGroup() const { return m_group; }
    // Leaves the old group and joins `group` (empty: none).
    void SetGroup(const std::wstring& group);

    const std::wstring& GetSelectedImage() const { return m_selectedImage.spec; }
    void SetSelectedImage(const std::wstring& spec);
    const std::wstring& GetSelectedHotImage() const { return m_selectedHotImage.spec; }
    void SetSelectedHotImage(const std::wstring& spec);
    // Drawn over every state, selected or not.
    const std::wstring& GetOptionForeImage() const { return m_optionForeImage.spec; }
    void SetOptionForeImage(const std::wstring& spec);
    DWORD GetSelectedBkColor() const { return m_selectedBackColor; }
    void SetSelectedBkColor(DWORD color);
    DWORD GetSelectedTextColor() const { return m_selectedTextColor; }
    void SetSelectedTextColor(DWORD color);
    void SetSelectedBorderColor(DWORD color);
    void SetSelectedBorderSize(RECT sizes);

  protected:
    // Runs `paint` as the button would paint an option that is not pushed.
    template <class PaintFn>
    void AsUnpushedButton(PaintFn paint);

    bool m_selected = false;
    std::wstring m_group;
    DWORD m_selectedBackColor = 0;
    DWORD m_selectedTextColor = 0;
    ImageDrawInfo m_selectedImage;
    ImageDrawInfo m_selectedHotImage;
    ImageDrawInfo m_optionForeImage;
    DWORD m_selectedBorderColor = 0;
    RECT m_selectedBorderSize{};
};

}  // namespace VantuUI
