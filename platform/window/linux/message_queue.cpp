#include "platform/window/linux/message_queue.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>

namespace platform {

namespace {

struct SentMessage {
    MSG msg;
    std::promise<LRESULT> reply;
};

struct ThreadQueue {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> sent;
    bool quitPending = false;
    int quitCode = 0;
    std::uint64_t changes = 0;
    std::function<void()> wake;
    MessageSource* source = nullptr;
};

struct WindowRecord {
    WNDPROC proc = nullptr;
    void* data = nullptr;
    std::shared_ptr<ThreadQueue> queue;
};

// The window table is process-wide: handles are valid across threads.
class WindowTable {
  public:
    // Never destroyed: a detached thread (the upgrade worker) may still post
    // while the process ends and its static objects go.
    static WindowTable& Instance() {
        static WindowTable& table = *new WindowTable;
        return table;
    }

    HWND Add(WindowRecord record) {
        std::lock_guard lock(m_mutex);
        std::uintptr_t id = m_next++;
        m_windows.emplace(id, std::move(record));
        return reinterpret_cast<HWND>(id);
    }

    bool Remove(HWND hwnd, std::shared_ptr<ThreadQueue>& queue) {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it == m_windows.end()) {
            return false;
        }
        queue = it->second.queue;
        m_windows.erase(it);
        return true;
    }

    std::optional<WindowRecord> Find(HWND hwnd) {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it == m_windows.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    void SetProc(HWND hwnd, WNDPROC proc) {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it != m_windows.end()) {
            it->second.proc = proc;
        }
    }

  private:
    std::mutex m_mutex;
    std::unordered_map<std::uintptr_t, WindowRecord> m_windows;
    std::uintptr_t m_next = 0x10000;
};

const std::shared_ptr<ThreadQueue>& CurrentQueue() {
    thread_local const auto queue = std::make_shared<ThreadQueue>();
    return queue;
}

void Enqueue(ThreadQueue& queue, const MSG& msg) {
    std::function<void()> wake;
    {
        std::lock_guard lock(queue.mutex);
        queue.posted.push_back(msg);
        ++queue.changes;
        wake = queue.wake;
    }
    queue.arrived.notify_one();
    if (wake) {
        wake();
    }
}

bool Matches(const MSG& msg, HWND filterWindow, UINT filterMin, UINT filterMax) {
    return (filterWindow == nullptr || msg.hwnd == filterWindow) &&
           InFilterRange(msg.message, filterMin, filterMax);
}

LRESULT CallProcedure(const MSG& msg) {
    WNDPROC proc = WindowProcedure(msg.hwnd);
    return proc ? proc(msg.hwnd, msg.message, msg.wParam, msg.lParam) : 0;
}

// Runs the messages other threads sent to this thread's windows; the lock is
// released around each call because the procedure may post or send again.
void ReplyToSentMessages(ThreadQueue& queue, std::unique_lock<std::mutex>& lock) {
    while (!queue.sent.empty()) {
        auto sent = std::move(queue.sent.front());
        queue.sent.pop_front();
        lock.unlock();
        sent->reply.set_value(CallProcedure(sent->msg));
        lock.lock();
    }
}

// Takes the first matching message (or the pending quit) off the queue.
bool TakeMessage(ThreadQueue& queue, MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax,
                 bool remove) {
    auto it = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const MSG& m) {
        return Matches(m, filterWindow, filterMin, filterMax);
    });
    if (it != queue.posted.end()) {
        *msg = *it;
        if (remove) {
            queue.posted.erase(it);
        }
        return true;
    }
    if (queue.quitPending) {
        *msg = MSG{.message = WM_QUIT, .wParam = static_cast<WPARAM>(queue.quitCode)};
        if (remove) {
            queue.quitPending = false;
        }
        return true;
    }
    return false;
}

}  // namespace

bool InFilterRange(UINT message, UINT filterMin, UINT filterMax) {
    return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

HWND AddWindowHandle(WNDPROC proc, void* data) {
    return WindowTable::Instance().Add({proc, data, CurrentQueue()});
}

void RemoveWindowHandle(HWND hwnd) {
    std::shared_ptr<ThreadQueue> queue;
    if (!WindowTable::Instance().Remove(hwnd, queue)) {
        return;
    }
    std::lock_guard lock(queue->mutex);
    std::erase_if(queue->posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

void* WindowData(HWND hwnd) {
    auto record = WindowTable::Instance().Find(hwnd);
    return record ? record->data : nullptr;
}

WNDPROC WindowProcedure(HWND hwnd) {
    auto record = WindowTable::Instance().Find(hwnd);
    return record ? record->proc : nullptr;
}

void SetWindowProcedure(HWND hwnd, WNDPROC proc) {
    WindowTable::Instance().SetProc(hwnd, proc);
}

void SetQueueWakeHook(std::function<void()> wake) {
    auto& queue = *CurrentQueue();
    std::lock_guard lock(queue.mutex);
    queue.wake = std::move(wake);
}

void SetMessageSource(MessageSource* source) {
    auto& queue = *CurrentQueue();
    std::lock_guard lock(queue.mutex);
    queue.source = source;
}

std::uint64_t QueueChangeCount() {
    auto& queue = *CurrentQueue();
    std::lock_guard lock(queue.mutex);
    return queue.changes;
}

void WaitForQueueChange(std::uint64_t seen, int milliseconds) {
    auto& queue = *CurrentQueue();
    std::unique_lock lock(queue.mutex);
    auto moved = [&] { return queue.changes != seen; };
    if (milliseconds < 0) {
        queue.arrived.wait(lock, moved);
    } else {
        queue.arrived.wait_for(lock, std::chrono::milliseconds(milliseconds), moved);
    }
}

}  // namespace platform

using platform::ThreadQueue;

BOOL IsWindow(HWND hwnd) {
    return platform::WindowProcedure(hwnd) != nullptr ? TRUE : FALSE;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{.hwnd = hwnd,
            .message = message,
            .wParam = wParam,
            .lParam = lParam,
            .time = GetTickCount()};
    if (hwnd == nullptr) {
        platform::Enqueue(*platform::CurrentQueue(), msg);
        return TRUE;
    }
    auto record = platform::WindowTable::Instance().Find(hwnd);
    if (!record) {
        return FALSE;
    }
    platform::Enqueue(*record->queue, msg);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    auto& queue = *platform::CurrentQueue();
    {
        std::lock_guard lock(queue.mutex);
        queue.quitPending = true;
        queue.quitCode = exitCode;
        ++queue.changes;
    }
    queue.arrived.notify_one();
}

namespace platform {
namespace {

// One look for a message, in the order the loop hands them out: sent
// messages are run, then posted messages, display input, the quit request,
// and last the made-up messages (paint, timers). Returns false when nothing
// is there; `seen` then holds the queue's change count of that look.
bool LookForMessage(ThreadQueue& queue, MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax,
                    bool remove, std::uint64_t& seen) {
    std::unique_lock lock(queue.mutex);
    ReplyToSentMessages(queue, lock);
    MessageSource* source = queue.source;
    if (source == nullptr) {
        seen = queue.changes;
        return TakeMessage(queue, msg, filterWindow, filterMin, filterMax, remove);
    }
    bool quit = queue.quitPending;
    queue.quitPending = false;
    bool found = TakeMessage(queue, msg, filterWindow, filterMin, filterMax, remove);
    queue.quitPending = quit;
    if (found) {
        return true;
    }
    lock.unlock();
    source->Pump();
    lock.lock();
    ReplyToSentMessages(queue, lock);
    seen = queue.changes;
    if (TakeMessage(queue, msg, filterWindow, filterMin, filterMax, remove)) {
        return true;
    }
    lock.unlock();
    return source->Generate(msg, filterWindow, filterMin, filterMax, remove);
}

}  // namespace
}  // namespace platform

BOOL GetMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax) {
    auto& queue = *platform::CurrentQueue();
    for (;;) {
        std::uint64_t seen = 0;
        if (platform::LookForMessage(queue, msg, filterWindow, filterMin, filterMax, true, seen)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        std::unique_lock lock(queue.mutex);
        if (queue.source != nullptr) {
            auto* source = queue.source;
            lock.unlock();
            source->Wait(seen);
        } else {
            queue.arrived.wait(lock, [&] {
                return queue.changes != seen || !queue.sent.empty() || queue.quitPending;
            });
        }
    }
}

BOOL PeekMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax, UINT removeFlags) {
    std::uint64_t seen = 0;
    return platform::LookForMessage(*platform::CurrentQueue(), msg, filterWindow, filterMin,
                                    filterMax, (removeFlags & PM_REMOVE) != 0, seen)
               ? TRUE
               : FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (msg->hwnd == nullptr) {
        return 0;
    }
    return platform::CallProcedure(*msg);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto record = platform::WindowTable::Instance().Find(hwnd);
    if (!record || record->proc == nullptr) {
        return 0;
    }
    if (record->queue == platform::CurrentQueue()) {
        return record->proc(hwnd, message, wParam, lParam);
    }
    auto sent = std::make_shared<platform::SentMessage>();
    sent->msg = MSG{.hwnd = hwnd,
                    .message = message,
                    .wParam = wParam,
                    .lParam = lParam,
                    .time = GetTickCount()};
    auto reply = sent->reply.get_future();
    std::function<void()> wake;
    {
        std::lock_guard lock(record->queue->mutex);
        record->queue->sent.push_back(std::move(sent));
        ++record->queue->changes;
        wake = record->queue->wake;
    }
    record->queue->arrived.notify_one();
    if (wake) {
        wake();
    }
    try {
        return reply.get();
    } catch (const std::future_error&) {
        return 0;  // the receiving thread ended without processing it
    }
}

DWORD GetTickCount() {
    using namespace std::chrono;
    return static_cast<DWORD>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}
