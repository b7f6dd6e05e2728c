#include "platform/message_queue.h"

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
    std::function<void()> wake;
};

struct WindowRecord {
    WNDPROC proc = nullptr;
    void* data = nullptr;
    std::shared_ptr<ThreadQueue> queue;
};

// The window table is process-wide: handles are valid across threads.
class WindowTable {
  public:
    static WindowTable& Instance() {
        static WindowTable table;
        return table;
    }

    HWND Add(WindowRecord record) {
        std::lock_guard lock(mutex_);
        std::uintptr_t id = next_++;
        windows_.emplace(id, std::move(record));
        return reinterpret_cast<HWND>(id);
    }

    bool Remove(HWND hwnd, std::shared_ptr<ThreadQueue>& queue) {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it == windows_.end()) {
            return false;
        }
        queue = it->second.queue;
        windows_.erase(it);
        return true;
    }

    std::optional<WindowRecord> Find(HWND hwnd) {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it == windows_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    void SetProc(HWND hwnd, WNDPROC proc) {
        std::lock_guard lock(mutex_);
        auto it = windows_.find(reinterpret_cast<std::uintptr_t>(hwnd));
        if (it != windows_.end()) {
            it->second.proc = proc;
        }
    }

  private:
    std::mutex mutex_;
    std::unordered_map<std::uintptr_t, WindowRecord> windows_;
    std::uintptr_t next_ = 0x10000;
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
        wake = queue.wake;
    }
    queue.arrived.notify_one();
    if (wake) {
        wake();
    }
}

bool Matches(const MSG& msg, HWND filterWindow, UINT filterMin, UINT filterMax) {
    if (filterWindow != nullptr && msg.hwnd != filterWindow) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
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

bool WaitForQueuedMessage(int milliseconds) {
    auto& queue = *CurrentQueue();
    std::unique_lock lock(queue.mutex);
    auto ready = [&] { return !queue.posted.empty() || !queue.sent.empty() || queue.quitPending; };
    if (milliseconds < 0) {
        queue.arrived.wait(lock, ready);
        return true;
    }
    return queue.arrived.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
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
    }
    queue.arrived.notify_one();
}

BOOL GetMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax) {
    auto& queue = *platform::CurrentQueue();
    std::unique_lock lock(queue.mutex);
    for (;;) {
        platform::ReplyToSentMessages(queue, lock);
        if (platform::TakeMessage(queue, msg, filterWindow, filterMin, filterMax, true)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        queue.arrived.wait(lock);
    }
}

BOOL PeekMessage(MSG* msg, HWND filterWindow, UINT filterMin, UINT filterMax, UINT removeFlags) {
    auto& queue = *platform::CurrentQueue();
    std::unique_lock lock(queue.mutex);
    platform::ReplyToSentMessages(queue, lock);
    return platform::TakeMessage(queue, msg, filterWindow, filterMin, filterMax,
                                 (removeFlags & PM_REMOVE) != 0)
               ? TRUE
               : FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
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
