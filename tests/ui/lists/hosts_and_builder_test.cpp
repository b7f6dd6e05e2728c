// The component-control and browser hosts, and the builder's rows for the
// list, combo and host classes.

#include <gtest/gtest.h>

#include "tests/ui/fake_manager.h"
#include "ui/control/activex/web_browser.h"
#include "ui/core/builder/control_factory.h"
#include "ui/layout/container/container.h"

namespace VantuUI {
namespace {

using ui_testing::RecordingManager;

TEST(ActiveXHost, KeepsItsSettingsAndAnswersThatCreationFails) {
    RecordingManager manager;
    CContainerUI parent;
    auto* host = new CActiveXUI;
    parent.Append(host);
    host->ApplyAttributeString(
        L"clsid=\"{01234567-89ab-CDEF-0123-456789ABCDEF}\" modulename=\"ctl.so\" "
        L"delaycreate=\"false\"");
    EXPECT_EQ(host->GetClassId(), L"{01234567-89ab-CDEF-0123-456789ABCDEF}");
    EXPECT_EQ(host->GetModuleName(), L"ctl.so");
    EXPECT_FALSE(host->IsDelayCreate());
    EXPECT_FALSE(host->SetClassId(L"{01234567-89ab-CDEF-0123-456789ABCDEG}"));
    EXPECT_FALSE(host->SetClassId(L"01234567-89ab-CDEF-0123-456789ABCDEF"));
    EXPECT_EQ(host->GetClassId(), L"{01234567-89ab-CDEF-0123-456789ABCDEF}");

    parent.AttachToManager(&manager, nullptr, false);
    host->AttachToManager(&manager, &parent, true);  // Init tries at once
    EXPECT_EQ(host->LastCreateResult(), ActiveXCreateResult::Unsupported);
    EXPECT_FALSE(host->IsCreated());
    EXPECT_EQ(host->GetChildWindow(), nullptr);
    EXPECT_TRUE(manager.notifications.empty());  // no "showactivex" without a control

    CActiveXUI bare;
    EXPECT_EQ(bare.CreateControl(), ActiveXCreateResult::NoClassId);
}

TEST(WebBrowserHost, KeepsItsHomePageAndCannotNavigate) {
    CWebBrowserUI browser;
    browser.ApplyAttributeString(
        L"homepage=\"https://www.vantu.example.com/\" autonavi=\"true\" delaycreate=\"false\"");
    EXPECT_EQ(browser.GetHomePage(), L"https://www.vantu.example.com/");
    EXPECT_TRUE(browser.IsAutoNavigate());
    EXPECT_FALSE(browser.IsDelayCreate());
    EXPECT_FALSE(browser.NavigateHomePage());
    EXPECT_NE(browser.FindInterface(L"ActiveX"), nullptr);
    MSG msg{};
    EXPECT_EQ(browser.TranslateAccelerator(&msg), S_FALSE);
}

TEST(ControlFactory, CreatesTheListComboAndHostClassesByName) {
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"List", L"List"},
        {L"listheader", L"ListHeader"},
        {L"ListHeaderItem", L"ListHeaderItem"},
        {L"ListTextElement", L"ListTextElement"},
        {L"ListLabelElement", L"ListLabelElement"},
        {L"ListHBoxElement", L"ListHBoxElement"},
        {L"LISTCONTAINERELEMENT", L"ListContainerElement"},
        {L"Combo", L"Combo"},
        {L"ComboBox", L"Combo"},
        {L"ActiveX", L"ActiveX"},
        {L"WebBrowser", L"WebBrowser"},
    };
    for (const auto& [name, cls] : rows) {
        CControlUI* control = CreateControlByClassName(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->GetClass(), cls);
        delete control;
    }
    // Not a row of the table: only its derived classes are.
    EXPECT_EQ(CreateControlByClassName(L"ListElement"), nullptr);
}

}  // namespace
}  // namespace VantuUI
