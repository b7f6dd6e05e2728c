#include "tests/support/launcher_lock.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

namespace {

// Named for the whole wine desktop, where every checkout's tests meet.
std::wstring MutexName(LauncherNames names) {
    if (names == LauncherNames::Product) {
        return L"Global\\vantu-launcher-tests-product";
    }
    std::wstring name = L"Global\\vantu-launcher-tests-";
    for (char c : std::string(VANTU_BUILD_DIR)) {
        name += c == '\\' ? L'/' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return name;
}

// As on Linux: a holder that keeps the lock this long is stuck.
constexpr DWORD kLongestHold = 90000;

}  // namespace

LauncherLock::LauncherLock(LauncherNames names)
    : m_mutex(CreateMutexW(nullptr, FALSE, MutexName(names).c_str())) {
    if (m_mutex == nullptr) {
        ADD_FAILURE() << "cannot open the launcher tests' mutex: " << GetLastError();
        return;
    }
    const DWORD waited = WaitForSingleObject(m_mutex, kLongestHold);
    // An abandoned mutex is ours now: its holder died without releasing it.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        ADD_FAILURE() << "another test held the launcher tests' mutex for " << kLongestHold
                      << " ms";
        CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
}

LauncherLock::~LauncherLock() {
    if (m_mutex != nullptr) {
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }
}

}  // namespace testing_support
