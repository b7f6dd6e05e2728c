#include "tests/launcher/process_probe.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include "platform/text/text_codec.h"

namespace launcher_test {

namespace {

// Closes a snapshot handle when the walk ends.
class Snapshot {
  public:
    explicit Snapshot(DWORD what) : m_handle(CreateToolhelp32Snapshot(what, 0)) {}
    ~Snapshot() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    HANDLE get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

}  // namespace

int ThreadCount() {
    Snapshot snapshot(TH32CS_SNAPTHREAD);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    return count;
}

std::set<long> ChildProcesses() {
    Snapshot snapshot(TH32CS_SNAPPROCESS);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    std::set<long> children;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId()) {
            children.insert(static_cast<long>(entry.th32ProcessID));
        }
    }
    return children;
}

bool NameHeld(const std::string& name) {
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, platform::DecodeFileName(name).c_str());
    if (event == nullptr) {
        return false;
    }
    CloseHandle(event);
    return true;
}

void SetProcessRunning(long pid, bool running) {
    Snapshot snapshot(TH32CS_SNAPTHREAD);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != static_cast<DWORD>(pid)) {
            continue;
        }
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            running ? ResumeThread(thread) : SuspendThread(thread);
            CloseHandle(thread);
        }
    }
}

}  // namespace launcher_test
