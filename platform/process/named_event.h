#pragma once

// Kernel events. On Windows they are the system's (CreateEventW; a named one
// that exists already answers ERROR_ALREADY_EXISTS). On Linux a named event
// lives in the machine-wide namespace as an abstract Unix domain socket of
// the same name: binding it creates the event, a bind that finds the name
// taken means it already exists, a connection signals it, and the kernel frees
// the name when the holding process ends (also after SIGKILL). Either way the
// holder's handle is not inherited, so programs it starts do not keep the
// name alive.

#include <chrono>
#include <initializer_list>
#include <string_view>

namespace platform {

// What a wait waits on: a descriptor, or a HANDLE on Windows.
#ifdef _WIN32
using WaitHandle = void*;
inline constexpr WaitHandle kNoWaitHandle = nullptr;
#else
using WaitHandle = int;
inline constexpr WaitHandle kNoWaitHandle = -1;
#endif

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
    bool IsOpen() const { return m_handle != kNoWaitHandle; }

    // Ready for WaitForAny while a signal is pending.
    WaitHandle Descriptor() const { return m_handle; }

    // Consumes every pending signal; true when there was one.
    bool Reset();

    // Forgets the handle without closing it: the name stays taken until
    // the process ends.
    void HoldUntilExit();

    // Signals the event of that name, wherever it is held. False when nobody
    // holds it. Never blocks: when the holder's backlog is full, signals are
    // pending already and this one merges with them.
    static bool Signal(std::wstring_view name);

  private:
    void Close();
    WaitHandle m_handle = kNoWaitHandle;
};

// An unnamed manual-reset event (an eventfd on Linux).
class ManualResetEvent {
  public:
    ManualResetEvent();
    ~ManualResetEvent();
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    bool IsOpen() const { return m_handle != kNoWaitHandle; }
    void Set();
    bool IsSet() const;
    // Ready for WaitForAny while set.
    WaitHandle Descriptor() const { return m_handle; }

  private:
    WaitHandle m_handle = kNoWaitHandle;
};

inline constexpr int kWaitTimeout = -1;
inline constexpr int kWaitFailed = -2;

// WaitForMultipleObjects (wait for any) on both systems: the index of the
// first ready handle, kWaitTimeout, or kWaitFailed (also when a handle is
// invalid). A negative time-out waits forever. The wait consumes nothing:
// a named event stays signalled until Reset.
int WaitForAny(std::initializer_list<WaitHandle> descriptors,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

}  // namespace platform
