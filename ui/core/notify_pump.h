#pragma once

// Message maps: a class lists which handler takes which notification type,
// for one named control or for any control, and chains to its base class's
// map. CNotifyPump::DispatchNotification walks that chain.
//
//   class MyWindow : public CNotifyPump {
//     public:
//       static const TNotifyMap notifyMap;
//       const TNotifyMap* GetNotifyMap() const override { return &notifyMap; }
//       void OnClose(TNotificationUI& msg);
//       void OnAny(WPARAM wParam, LPARAM lParam);
//   };
//   constexpr TNotifyMapEntry kEntries[] = {
//       NotifyEntry<&MyWindow::OnClose>(L"click", L"closebtn"),
//       NotifyEntry<&MyWindow::OnAny>(L"click"),
//       {},
//   };
//   const TNotifyMap MyWindow::notifyMap{&CNotifyPump::notifyMap, kEntries};

#include <cstdint>
#include <string_view>
#include <type_traits>

#include "ui/core/notification.h"

namespace VantuUI {

class CNotifyPump;

// How an entry's handler is called: 0 ends a map's entry array.
enum NotifySignature : std::uint32_t {
    kNotifyEnd = 0,
    kNotifyParams = 1,  // handler (wParam, lParam)
    kNotifyRecord = 2,  // handler (record)
};

struct TNotifyMapEntry {
    std::wstring_view type;
    std::wstring_view controlName;  // empty: any control
    std::uint32_t signature = kNotifyEnd;
    void (*onParams)(CNotifyPump& pump, WPARAM wParam, LPARAM lParam) = nullptr;
    void (*onRecord)(CNotifyPump& pump, TNotificationUI& msg) = nullptr;
};

struct TNotifyMap {
    const TNotifyMap* base = nullptr;
    const TNotifyMapEntry* entries = nullptr;  // ends with a kNotifyEnd entry
};

namespace notify_detail {
template <class T>
struct MemberOf;
template <class T>
struct MemberOf<void (T::*)(TNotificationUI&)> {
    using Class = T;
};
template <class T>
struct MemberOf<void (T::*)(WPARAM, LPARAM)> {
    using Class = T;
};
}  // namespace notify_detail

// An entry calling the member function `Handler` of the map's class (a
// class derived from CNotifyPump) with the record or with wParam and lParam.
template <auto Handler>
constexpr TNotifyMapEntry NotifyEntry(std::wstring_view type, std::wstring_view controlName = {}) {
    using Class = typename notify_detail::MemberOf<decltype(Handler)>::Class;
    TNotifyMapEntry entry{type, controlName};
    if constexpr (std::is_invocable_v<decltype(Handler), Class&, TNotificationUI&>) {
        entry.signature = kNotifyRecord;
        entry.onRecord = [](CNotifyPump& pump, TNotificationUI& msg) {
            (static_cast<Class&>(pump).*Handler)(msg);
        };
    } else {
        entry.signature = kNotifyParams;
        entry.onParams = [](CNotifyPump& pump, WPARAM wParam, LPARAM lParam) {
            (static_cast<Class&>(pump).*Handler)(wParam, lParam);
        };
    }
    return entry;
}

class CNotifyPump {
  public:
    virtual ~CNotifyPump() = default;

    // The root map: no base and no entries.
    static const TNotifyMap notifyMap;

    // The map of the object's most derived class.
    virtual const TNotifyMap* GetNotifyMap() const { return &notifyMap; }

    // Calls the handler the map chain has for the notification; false when
    // none. In each map, an entry for the sender's name is taken at once,
    // otherwise the last entry of the type for any control.
    // A template only so that this header needs no more than the control's
    // declaration: the sender's name is read where the call is compiled.
    template <class Record = TNotificationUI>
    bool DispatchNotification(Record& msg) {
        if (msg.sender == nullptr) {
            return DispatchNotification(msg, std::wstring_view());
        }
        return DispatchNotification(msg, std::wstring_view(msg.sender->GetName()));
    }

    // The same with the sender's name given.
    bool DispatchNotification(TNotificationUI& msg, std::wstring_view senderName);
};

}  // namespace VantuUI
