#pragma once

// The scrolling column of items inside a list. It reports its class as a
// plain vertical layout; keys and wheel turns that reach it go to its list,
// which may move the selection with them. Its rows are as wide as the
// header's columns, and the header moves sideways with them.

#include "ui/layout/vertical_layout.h"

namespace VantuUI {

class CListUI;

class CListBodyUI : public CVerticalLayoutUI {
  public:
    explicit CListBodyUI(CListUI* owner) : m_owner(owner) {}

    void SetItemRect(RECT rect, bool invalidate = true) override;
    void HandleEvent(TInputEventUI& event) override;
    void SetScrollOffset(SIZE offset) override;
    void UpdateScrollBars(RECT rect, int neededWidth, int neededHeight) override;

  private:
    CListUI* m_owner;
};

}  // namespace VantuUI
