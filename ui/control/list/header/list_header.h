#pragma once

// The row of column headers of a list. Its items' places are the list's
// columns; when they move, the rows that follow columns are laid out again.

#include "ui/control/list/list_interfaces.h"
#include "ui/layout/horizontal_layout.h"

namespace VantuUI {

class CListHeaderUI : public CHorizontalLayoutUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    SIZE GetDesiredSize(SIZE available) override;
    void SetItemRect(RECT rect, bool invalidate = true) override;

    // The visible header items' rectangles, in order.
    TListColumnsUI GetColumns() const;

  private:
    TListColumnsUI m_laidColumns;
};

}  // namespace VantuUI
