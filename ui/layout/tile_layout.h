#pragma once

// Children in a grid of equal cells, row by row.

#include "ui/layout/container/container.h"

namespace VantuUI {

class CTileLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    virtual SIZE GetItemSize() const;
    virtual void SetItemSize(SIZE size);
    virtual int GetColumns() const;
    virtual void SetColumns(int columns);
    virtual int GetChildVPadding() const;
    virtual void SetChildVPadding(int padding);
    int GetActualColumns() const { return m_actualColumns; }
    int GetActualRows() const { return m_actualRows; }

  protected:
    SIZE m_itemSize{};
    int m_columns = 0;
    int m_actualColumns = 0;
    int m_actualRows = 0;
    int m_childVPadding = 0;
};

}  // namespace VantuUI
