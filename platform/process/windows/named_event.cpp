#include "platform/process/named_event.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Longer names are refused by the system (and differ in length limits
// between its versions): refused here alike.
constexpr std::size_t kLongestName = MAX_PATH;

bool UsableName(std::wstring_view name) {
    return !name.empty() && name.size() <= kLongestName;
}

}  // namespace

NamedEvent::~NamedEvent() {
    Close();
}

NamedEvent::NamedEvent(NamedEvent&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoWaitHandle)) {}

NamedEvent& NamedEvent::operator=(NamedEvent&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, kNoWaitHandle);
    }
    return *this;
}

void NamedEvent::Close() {
    if (m_handle != kNoWaitHandle) {
        CloseHandle(std::exchange(m_handle, kNoWaitHandle));
    }
}

NamedEventCreation NamedEvent::Create(std::wstring_view name) {
    Close();
    if (!UsableName(name)) {
        return NamedEventCreation::Failed;
    }
    // Manual reset, so that a wait does not consume the signal Reset reports.
    // No security attributes: the handle is not inherited.
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, std::wstring(name).c_str());
    if (event == nullptr) {
        return NamedEventCreation::Failed;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return NamedEventCreation::AlreadyExists;
    }
    m_handle = event;
    return NamedEventCreation::Created;
}

bool NamedEvent::Reset() {
    if (WaitForSingleObject(m_handle, 0) != WAIT_OBJECT_0) {
        return false;
    }
    // A signal arriving now merges with the one taken.
    ResetEvent(m_handle);
    return true;
}

void NamedEvent::HoldUntilExit() {
    m_handle = kNoWaitHandle;
}

bool NamedEvent::Signal(std::wstring_view name) {
    if (!UsableName(name)) {
        return false;
    }
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, std::wstring(name).c_str());
    if (event == nullptr) {
        return false;
    }
    const bool signalled = SetEvent(event) != 0;
    CloseHandle(event);
    return signalled;
}

ManualResetEvent::ManualResetEvent() : m_handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

ManualResetEvent::~ManualResetEvent() {
    if (m_handle != kNoWaitHandle) {
        CloseHandle(m_handle);
    }
}

void ManualResetEvent::Set() {
    SetEvent(m_handle);
}

bool ManualResetEvent::IsSet() const {
    return WaitForAny({m_handle}, std::chrono::milliseconds(0)) == 0;
}

int WaitForAny(std::initializer_list<WaitHandle> descriptors, std::chrono::milliseconds timeout) {
    std::vector<HANDLE> handles;
    for (WaitHandle handle : descriptors) {
        if (handle == kNoWaitHandle || handle == INVALID_HANDLE_VALUE) {
            return kWaitFailed;
        }
        handles.push_back(handle);
    }
    if (handles.empty() || handles.size() > MAXIMUM_WAIT_OBJECTS) {
        return kWaitFailed;
    }
    // INFINITE is all ones: longer finite waits stop just short of it.
    const DWORD wait = timeout.count() < 0           ? INFINITE
                       : timeout.count() >= INFINITE ? INFINITE - 1
                                                     : static_cast<DWORD>(timeout.count());
    const DWORD rc =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, wait);
    if (rc < WAIT_OBJECT_0 + handles.size()) {
        return static_cast<int>(rc - WAIT_OBJECT_0);
    }
    return rc == WAIT_TIMEOUT ? kWaitTimeout : kWaitFailed;
}

}  // namespace platform
