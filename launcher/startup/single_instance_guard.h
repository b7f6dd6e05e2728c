#pragma once

// Only one launcher runs at a time. The first one takes the named event
// "Global\<key>" and, when asked to, keeps a watcher thread that reports every
// later launcher; a later launcher signals the event and ends its process.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/process/named_event.h"

namespace vantu {

// Exit code of a launcher that finds another one running. Only its low byte
// (34) survives as a process status on this platform.
inline constexpr int kAlreadyRunningExitCode = 1314;

class SingleInstanceGuard {
  public:
    using Callback = std::function<void()>;

    SingleInstanceGuard() = default;
    // Stops the watcher and joins it. The name stays taken until the process ends.
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Run in a launcher that finds another one, before it ends.
    SingleInstanceGuard& OnAlreadyRunning(Callback callback);
    // Run on the watcher thread each time another launcher signals; signals
    // that arrive while one is pending may merge into one call.
    SingleInstanceGuard& OnAnotherInstanceStarted(Callback callback);

    // Takes the name "Global\<key>". Returns only when it was free; otherwise
    // signals the holder and ends the process with kAlreadyRunningExitCode
    // through std::exit (a failure to create the event counts the same).
    void Start(const std::wstring& key);

  private:
    void Watch();
    bool Stopping();
    void BackOff();

    std::thread m_watcher;
    Callback m_alreadyRunning;
    Callback m_anotherInstance;
    platform::NamedEvent m_namedEvent;
    std::unique_ptr<platform::ManualResetEvent> m_stopEvent;
    // Also wakes the back-off after a failed wait, which cannot rely on the
    // stop event's descriptor.
    std::mutex m_stopMutex;
    std::condition_variable m_stopChanged;
    bool m_stopping = false;
};

}  // namespace vantu
