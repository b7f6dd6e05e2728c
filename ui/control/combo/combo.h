#pragma once

// A button-like control that shows its selected item and drops its items
// down in a popup window. The items stay the combo's children (and owned by
// it); the drop-down window only borrows them while it is open.

#include <memory>

#include "ui/control/list/list_interfaces.h"
#include "ui/control/list/list_item_style.h"
#include "ui/layout/container/container.h"

namespace VantuUI {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
  public:
    CComboUI();
    ~CComboUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    void SetEnabled(bool enabled = true) override;
    bool CanActivate() override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    CControlUI* FindInTree(FINDCONTROLPROC proc, void* data, UINT flags) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    bool InsertAt(CControlUI* control, int index) override;
    bool RemoveItem(CControlUI* control, bool keep = false) override;
    bool RemoveItemAt(int index, bool keep = false) override;
    void RemoveAllItems() override;

    // IListOwnerUI
    TListItemStyleUI& GetItemStyle() override;
    int GetCurSel() const override;
    bool SelectItem(int index, bool takeFocus = false) override;
    void HandleItemEvent(TInputEventUI& event) override;

    // Opens the drop-down list ("dropdown"); true when it is open.
    bool Activate() override;
    bool IsDroppedDown() const { return m_dropWindow != nullptr; }
    // Closes the drop-down list at once.
    void CloseDropDown();
    CComboWnd* DropWindow() const { return m_dropWindow; }
    const std::wstring& GetDropBoxAttributeList() const { return m_dropBoxAttributes; }
    SIZE GetDropBoxSize() const { return m_dropBoxSize; }
    // The drop-down window tells the combo that it is gone.
    void DropWindowGone(CComboWnd* window);

  private:
    bool MoveSelection(int step);

    int m_curSel = -1;
    TListItemStyleUI m_itemStyle;
    RECT m_textPadding{};
    bool m_showText = true;
    ImageDrawInfo m_normalImage;
    ImageDrawInfo m_hotImage;
    ImageDrawInfo m_pushedImage;
    ImageDrawInfo m_focusedImage;
    ImageDrawInfo m_disabledImage;
    std::wstring m_dropBoxAttributes;
    SIZE m_dropBoxSize{0, 150};
    bool m_hot = false;
    bool m_pushed = false;
    CComboWnd* m_dropWindow = nullptr;  // deletes itself when its window is gone
};

}  // namespace VantuUI
