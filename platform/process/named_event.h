#pragma once

// Stand-ins for kernel events. A named event lives in the machine-wide
// namespace as an abstract Unix domain socket of the same name: binding it
// creates the event, a bind that finds the name taken means it already exists,
// a connection signals it, and the kernel frees the name when the holding
// process ends (also after SIGKILL). The socket is close-on-exec, so programs
// started by the holder do not keep the name alive.

#include <chrono>
#include <initializer_list>
#include <string_view>

namespace platform {

enum class NamedEventCreation { Created, AlreadyExists, Failed };

// An auto-reset event: signals that arrive while one is pending merge.
class NamedEvent {
  public:
    NamedEvent() = default;
    ~NamedEvent();
    NamedEvent(NamedEvent&& other) noexcept;
    NamedEvent& operator=(NamedEvent&& other) noexcept;
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    // Takes the name. Only Created leaves the event open.
    NamedEventCreation Create(std::wstring_view name);
    bool IsOpen() const { return m_fd >= 0; }

    // Readable while a signal is pending.
    int Descriptor() const { return m_fd; }

    // Consumes every pending signal; true when there was one.
    bool Reset();

    // Forgets the descriptor without closing it: the name stays taken until
    // the process ends.
    void HoldUntilExit();

    // Signals the event of that name, wherever it is held. False when nobody
    // holds it. Never blocks: when the holder's backlog is full, signals are
    // pending already and this one merges with them.
    static bool Signal(std::wstring_view name);

  private:
    void Close();
    int m_fd = -1;
};

// An unnamed manual-reset event (eventfd).
class ManualResetEvent {
  public:
    ManualResetEvent();
    ~ManualResetEvent();
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    void Set();
    bool IsSet() const;
    // Readable while set.
    int Descriptor() const { return m_fd; }

  private:
    int m_fd = -1;
};

inline constexpr int kWaitTimeout = -1;
inline constexpr int kWaitFailed = -2;

// The stand-in for WaitForMultipleObjects (wait for any): the index of the
// first readable descriptor, kWaitTimeout, or kWaitFailed (also when a
// descriptor is invalid). A negative time-out waits forever.
int WaitForAny(std::initializer_list<int> descriptors,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

}  // namespace platform
