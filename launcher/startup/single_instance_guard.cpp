#include "launcher/startup/single_instance_guard.h"

#include <chrono>
#include <cstdlib>
#include <system_error>

namespace vantu {

namespace {

constexpr auto kBackOff = std::chrono::milliseconds(50);

}  // namespace

SingleInstanceGuard::~SingleInstanceGuard() {
    {
        std::lock_guard lock(m_stopMutex);
        m_stopping = true;
    }
    m_stopChanged.notify_all();
    if (m_stopEvent) {
        m_stopEvent->Set();
    }
    if (m_watcher.joinable()) {
        m_watcher.join();
    }
    m_stopEvent.reset();
    m_namedEvent.HoldUntilExit();
}

SingleInstanceGuard& SingleInstanceGuard::OnAlreadyRunning(Callback callback) {
    m_alreadyRunning = std::move(callback);
    return *this;
}

SingleInstanceGuard& SingleInstanceGuard::OnAnotherInstanceStarted(Callback callback) {
    m_anotherInstance = std::move(callback);
    return *this;
}

void SingleInstanceGuard::Start(const std::wstring& key) {
    if (m_namedEvent.IsOpen()) {
        return;
    }
    const std::wstring name = L"Global\\" + key;
    const auto creation = m_namedEvent.Create(name);
    if (creation != platform::NamedEventCreation::Created) {
        if (m_alreadyRunning) {
            m_alreadyRunning();
        }
        if (creation == platform::NamedEventCreation::AlreadyExists) {
            platform::NamedEvent::Signal(name);
        }
        std::exit(kAlreadyRunningExitCode);
    }
    if (!m_anotherInstance) {
        return;
    }
    m_stopEvent = std::make_unique<platform::ManualResetEvent>();
    try {
        m_watcher = std::thread([this] { Watch(); });
    } catch (const std::system_error&) {
        // No thread to spare: the name is held all the same, later launchers
        // still end, they are only not reported.
        m_stopEvent.reset();
    }
}

void SingleInstanceGuard::Watch() {
    for (;;) {
        if (Stopping()) {
            return;
        }
        int which = platform::WaitForAny({m_namedEvent.Descriptor(), m_stopEvent->Descriptor()});
        if (which == 1) {
            return;
        }
        if (which == 0 && m_namedEvent.Reset()) {
            m_anotherInstance();
            continue;
        }
        // The wait failed (or woke with nothing to take): wait a little and
        // try again rather than spin; the stop still gets through.
        BackOff();
    }
}

bool SingleInstanceGuard::Stopping() {
    std::lock_guard lock(m_stopMutex);
    return m_stopping;
}

void SingleInstanceGuard::BackOff() {
    std::unique_lock lock(m_stopMutex);
    m_stopChanged.wait_for(lock, kBackOff, [this] { return m_stopping; });
}

}  // namespace vantu
