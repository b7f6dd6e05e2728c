#pragma once

// Hooks a window (or a control hosting a native window) sets on its paint
// manager to see messages before the manager does.

#include "platform/win32.h"

namespace VantuUI {

class IMessageFilterUI {
  public:
    // Sets `handled` to stop the manager's own processing; the return value is
    // then the message's result.
    virtual LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

  protected:
    ~IMessageFilterUI() = default;
};

class ITranslateAccelerator {
  public:
    // 0 means the message was consumed as a keyboard shortcut.
    virtual LRESULT TranslateAccelerator(MSG* msg) = 0;

  protected:
    ~ITranslateAccelerator() = default;
};

}  // namespace VantuUI
