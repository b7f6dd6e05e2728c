#include <windows.h>

#include "tests/support/message_wait.h"

namespace testing_support {

// The wait ends on anything queued, seen by an earlier look or not.
std::uint64_t QueueMark() {
    return 0;
}

void WaitForQueue(std::uint64_t /*mark*/, std::chrono::milliseconds left) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

}  // namespace testing_support
