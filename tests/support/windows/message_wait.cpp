#include <windows.h>

#include "tests/support/message_wait.h"

namespace testing_support {

// The system marks what a look saw: the wait ends on anything newer.
std::uint64_t QueueMark() {
    return 0;
}

void WaitForQueue(std::uint64_t /*mark*/, std::chrono::milliseconds left) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
}

}  // namespace testing_support
