#pragma once

// A container whose content is built from a separate skin file when it is
// initialised.

#include "ui/layout/container/container.h"

namespace VantuUI {

class CChildLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void Init() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    virtual void SetChildSkinFile(const std::wstring& file);
    virtual std::wstring GetChildSkinFile() const;

  protected:
    std::wstring m_skinFile;
};

// Builds the control tree of a skin file for a window; null when it cannot be
// built. This is where the skin builder plugs in.
CControlUI* BuildChildLayoutContent(const std::wstring& file, CWindowManagerUI* manager);

}  // namespace VantuUI
