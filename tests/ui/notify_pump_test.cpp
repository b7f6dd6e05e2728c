#include "ui/core/notify_pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using VantuUI::CNotifyPump;
using VantuUI::NotifyEntry;
using VantuUI::TNotificationUI;
using VantuUI::TNotifyMap;
using VantuUI::TNotifyMapEntry;

class BaseWindow : public CNotifyPump {
  public:
    static const TNotifyMap notifyMap;
    const TNotifyMap* GetNotifyMap() const override { return &notifyMap; }

    void OnClick(TNotificationUI& msg) { calls.push_back(L"base click " + msg.type); }
    void OnTimer(WPARAM wParam, LPARAM lParam) {
        calls.push_back(L"base timer " + std::to_wstring(wParam) + L"," + std::to_wstring(lParam));
    }
    std::vector<std::wstring> calls;
};

constexpr TNotifyMapEntry kBaseEntries[] = {
    NotifyEntry<&BaseWindow::OnClick>(L"click"),
    NotifyEntry<&BaseWindow::OnTimer>(L"timer"),
    {},
};
const TNotifyMap BaseWindow::notifyMap{&CNotifyPump::notifyMap, kBaseEntries};

// A second base first, so that reaching the pump part needs an adjustment.
struct Padding {
    virtual ~Padding() = default;
    long long value[4] = {};
};

class DerivedWindow : public Padding, public BaseWindow {
  public:
    static const TNotifyMap notifyMap;
    const TNotifyMap* GetNotifyMap() const override { return &notifyMap; }

    void OnCloseClick(TNotificationUI&) { calls.push_back(L"close " + Tag()); }
    void OnAnyClick(TNotificationUI&) { calls.push_back(L"any " + Tag()); }
    void OnLaterAnyClick(TNotificationUI&) { calls.push_back(L"later any " + Tag()); }
    std::wstring Tag() const { return std::to_wstring(value[0]); }
};

constexpr TNotifyMapEntry kDerivedEntries[] = {
    NotifyEntry<&DerivedWindow::OnAnyClick>(L"click"),
    NotifyEntry<&DerivedWindow::OnCloseClick>(L"click", L"closebtn"),
    NotifyEntry<&DerivedWindow::OnLaterAnyClick>(L"click"),
    {L"odd", L"", 7},  // an unknown signature
    {},
};
const TNotifyMap DerivedWindow::notifyMap{&BaseWindow::notifyMap, kDerivedEntries};

TEST(NotifyPump, NamedControlFirstThenTheLastEntryForAnyControl) {
    DerivedWindow window;
    window.value[0] = 42;
    TNotificationUI click;
    click.type = L"click";
    EXPECT_TRUE(window.DispatchNotification(click, L"closebtn"));
    EXPECT_TRUE(window.DispatchNotification(click, L"okbtn"));
    // The control name is compared with case.
    EXPECT_TRUE(window.DispatchNotification(click, L"CloseBtn"));
    EXPECT_EQ(window.calls,
              (std::vector<std::wstring>{L"close 42", L"later any 42", L"later any 42"}));
}

TEST(NotifyPump, BaseMapsAndSignatures) {
    DerivedWindow window;
    TNotificationUI timer;
    timer.type = L"timer";
    timer.wParam = 7;
    timer.lParam = -3;
    EXPECT_TRUE(window.DispatchNotification(timer, L""));
    // The type is compared with case.
    TNotificationUI upper;
    upper.type = L"Timer";
    EXPECT_FALSE(window.DispatchNotification(upper, L""));
    EXPECT_EQ(window.calls, (std::vector<std::wstring>{L"base timer 7,-3"}));

    BaseWindow base;
    TNotificationUI click;
    click.type = L"click";
    EXPECT_TRUE(base.DispatchNotification(click, L"x"));
    EXPECT_EQ(base.calls, (std::vector<std::wstring>{L"base click click"}));
}

TEST(NotifyPump, UnknownTypesAndSignaturesAreNotHandled) {
    DerivedWindow window;
    TNotificationUI msg;
    msg.type = L"textchanged";
    EXPECT_FALSE(window.DispatchNotification(msg, L"edit"));
    // An entry with an unknown signature ends the search without a call,
    // even though no base map is asked.
    msg.type = L"odd";
    EXPECT_FALSE(window.DispatchNotification(msg, L"edit"));
    EXPECT_TRUE(window.calls.empty());
    CNotifyPump plain;
    msg.type = L"click";
    EXPECT_FALSE(plain.DispatchNotification(msg, L""));
}

// A handler that is a virtual member reaches the most derived override, as
// windows that override their base's click handler expect.
class ClickBase : public CNotifyPump {
  public:
    static const TNotifyMap notifyMap;
    const TNotifyMap* GetNotifyMap() const override { return &notifyMap; }
    virtual void OnClick(TNotificationUI&) { clicked = L"base"; }
    std::wstring clicked;
};
constexpr TNotifyMapEntry kClickEntries[] = {NotifyEntry<&ClickBase::OnClick>(L"click"), {}};
const TNotifyMap ClickBase::notifyMap{&CNotifyPump::notifyMap, kClickEntries};

class ClickDerived : public ClickBase {
  public:
    void OnClick(TNotificationUI&) override { clicked = L"derived"; }
};

TEST(NotifyPump, VirtualHandlersReachTheOverride) {
    ClickDerived window;
    TNotificationUI click;
    click.type = L"click";
    EXPECT_TRUE(window.DispatchNotification(click, L"any"));
    EXPECT_EQ(window.clicked, L"derived");
}

// The one-argument form reads the sender's name from the control.
struct FakeControl {
    std::wstring GetName() const { return name; }
    std::wstring name;
};
struct FakeRecord : TNotificationUI {
    FakeControl* sender = nullptr;
};

TEST(NotifyPump, TheSendersOwnNameIsUsed) {
    DerivedWindow window;
    FakeControl close{L"closebtn"};
    FakeRecord msg;
    msg.type = L"click";
    msg.sender = &close;
    EXPECT_TRUE(window.DispatchNotification(msg));
    msg.sender = nullptr;
    EXPECT_TRUE(window.DispatchNotification(msg));
    EXPECT_EQ(window.calls, (std::vector<std::wstring>{L"close 0", L"later any 0"}));
}

}  // namespace
