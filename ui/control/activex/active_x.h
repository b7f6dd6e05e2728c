#pragma once

// The host of a component control named by its class id. Linux has no
// component controls to host: the host keeps its settings, tries to create
// the control when it is initialised (or later, with "delaycreate"), and
// creation answers that it failed. "showactivex" is raised only for a
// control that was created, so never here; the host paints what any control
// paints (colours, image, border) and nothing else.

#include <string>

#include "ui/control/control.h"
#include "ui/core/manager/message_filter.h"

namespace VantuUI {

enum class ActiveXCreateResult {
    Created,
    NoClassId,    // no class id, or one that is not written as {8-4-4-4-12} hexadecimal
    Unsupported,  // this platform hosts no component controls
};

class CActiveXUI : public CControlUI, public IMessageFilterUI {
  public:
    ~CActiveXUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    HWND GetChildWindow() override;
    void InitHook() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    // IMessageFilterUI: there is no hosted control to hand messages to.
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    const std::wstring& GetClassId() const { return m_classId; }
    // False for a text that is not a class id; the old one stays.
    bool SetClassId(const std::wstring& classId);
    const std::wstring& GetModuleName() const { return m_moduleName; }
    void SetModuleName(const std::wstring& name) { m_moduleName = name; }
    bool IsDelayCreate() const { return m_delayCreate; }
    void SetDelayCreate(bool delay) { m_delayCreate = delay; }

    // Tries to create the hosted control now; never Created on this platform.
    ActiveXCreateResult CreateControl();
    bool IsCreated() const { return false; }
    // The last creation's answer; Unsupported before any.
    ActiveXCreateResult LastCreateResult() const { return m_lastResult; }

  private:
    std::wstring m_classId;
    std::wstring m_moduleName;
    bool m_delayCreate = true;
    ActiveXCreateResult m_lastResult = ActiveXCreateResult::Unsupported;
};

// True for "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in hexadecimal digits.
bool IsClassIdText(const std::wstring& text);

}  // namespace VantuUI
