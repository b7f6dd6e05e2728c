#include "ui/core/notify_pump.h"

namespace VantuUI {

namespace {

constexpr TNotifyMapEntry kNoEntries[] = {{}};

const TNotifyMapEntry* FindEntry(const TNotifyMapEntry* entries, std::wstring_view type,
                                 std::wstring_view senderName) {
    const TNotifyMapEntry* anyControl = nullptr;
    for (const TNotifyMapEntry* entry = entries; entry->signature != kNotifyEnd; ++entry) {
        if (entry->type != type) {
            continue;
        }
        if (entry->controlName.empty()) {
            anyControl = entry;
        } else if (entry->controlName == senderName) {
            return entry;
        }
    }
    return anyControl;
}

}  // namespace

const TNotifyMap CNotifyPump::notifyMap{nullptr, kNoEntries};

bool CNotifyPump::DispatchNotification(TNotificationUI& msg, std::wstring_view senderName) {
    for (const TNotifyMap* map = GetNotifyMap(); map != nullptr; map = map->base) {
        if (map->entries == nullptr) {
            continue;
        }
        const TNotifyMapEntry* entry = FindEntry(map->entries, msg.type, senderName);
        if (entry == nullptr) {
            continue;
        }
        if (entry->signature == kNotifyParams && entry->onParams != nullptr) {
            entry->onParams(*this, msg.wParam, msg.lParam);
            return true;
        }
        if (entry->signature == kNotifyRecord && entry->onRecord != nullptr) {
            entry->onRecord(*this, msg);
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace VantuUI
