#pragma once

// List items that are one control: the base and the item that shows one text.

#include "ui/control/control.h"
#include "ui/control/list/items/list_item_base.h"

namespace VantuUI {

class CListElementUI : public CListItemBaseUI<CControlUI> {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
};

class CListLabelElementUI : public CListElementUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    SIZE GetDesiredSize(SIZE available) override;
    void PaintTextLayer(HDC dc) override;
};

}  // namespace VantuUI
