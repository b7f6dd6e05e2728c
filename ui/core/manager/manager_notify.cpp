// Notifications to the sender's delegates and the window's listeners, now
// or through the queue the posted message empties.

#include <algorithm>

#include "platform/window/window_api.h"
#include "ui/control/control.h"
#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

bool CWindowManagerUI::AddListener(INotifyUI* listener) {
    if (listener == nullptr ||
        std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
        return false;
    }
    m_listeners.push_back(listener);
    return true;
}

bool CWindowManagerUI::RemoveListener(INotifyUI* listener) {
    return std::erase(m_listeners, listener) > 0;
}

void CWindowManagerUI::RaiseNotification(CControlUI* sender, const std::wstring& type,
                                         WPARAM wParam, LPARAM lParam, bool async,
                                         bool allowRepeat) {
    TNotificationUI msg;
    msg.type = type;
    msg.sender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    RaiseNotification(msg, async, allowRepeat);
}

void CWindowManagerUI::RaiseNotification(TNotificationUI& msg, bool async, bool allowRepeat) {
    msg.mousePoint = m_lastMouse;
    msg.timestamp = GetTickCount();
    if (m_virtualWindowsUsed && msg.sender != nullptr) {
        msg.virtualWindow = msg.sender->GetVirtualWindowName();
    }
    if (!async) {
        Deliver(msg);
        return;
    }
    if (!allowRepeat) {
        for (auto& queued : m_asyncQueue) {
            if (queued->sender == msg.sender && queued->type == msg.type) {
                queued->virtualWindow = msg.virtualWindow;
                queued->wParam = msg.wParam;
                queued->lParam = msg.lParam;
                queued->mousePoint = msg.mousePoint;
                queued->timestamp = msg.timestamp;
                return;
            }
        }
    }
    m_asyncQueue.push_back(std::make_unique<TNotificationUI>(msg));
    if (m_window != nullptr && !m_asyncPosted) {
        m_asyncPosted = PostMessage(m_window, kNotifyQueueMessage, 0, 0) != FALSE;
    }
}

void CWindowManagerUI::Deliver(TNotificationUI& msg) {
    if (msg.sender != nullptr && !msg.sender->OnNotify.IsEmpty()) {
        msg.sender->OnNotify(&msg);
    }
    const std::vector<INotifyUI*> listeners = m_listeners;
    for (INotifyUI* listener : listeners) {
        listener->OnNotification(msg);
    }
}

void CWindowManagerUI::DeliverQueued() {
    m_asyncPosted = false;
    while (!m_asyncQueue.empty()) {
        std::unique_ptr<TNotificationUI> msg = std::move(m_asyncQueue.front());
        m_asyncQueue.pop_front();
        Deliver(*msg);
    }
    DeleteDeferred();
}

}  // namespace VantuUI
