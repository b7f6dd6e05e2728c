#pragma once

// The web browser control, hosted like any component control. Without a
// system browser control on this platform it keeps its home page and
// navigation settings, and navigating answers that it failed.

#include "ui/control/activex/active_x.h"

namespace VantuUI {

class CWebBrowserUI : public CActiveXUI, public ITranslateAccelerator {
  public:
    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    // ITranslateAccelerator: no browser, so no keys of its own.
    LRESULT TranslateAccelerator(MSG* msg) override;

    const std::wstring& GetHomePage() const { return m_homePage; }
    void SetHomePage(const std::wstring& url) { m_homePage = url; }
    bool IsAutoNavigate() const { return m_autoNavigate; }
    void SetAutoNavigate(bool autoNavigate) { m_autoNavigate = autoNavigate; }
    // False: there is no browser control to show the page in.
    bool Navigate(const std::wstring& url);
    bool NavigateHomePage();

  private:
    std::wstring m_homePage;
    bool m_autoNavigate = false;
};

}  // namespace VantuUI
