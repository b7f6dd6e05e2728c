#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/deadline.h"

namespace testing_support {

using std::chrono::milliseconds;

BOOL GetMessageBefore(const Deadline& deadline, MSG* msg, std::string_view awaited) {
    // GetMessage's own wait has no end, so this looks and waits in short
    // steps; a posted message still ends a step at once, and display input
    // and timers are taken up within a millisecond or so.
    for (;;) {
        const std::uint64_t seen = platform::QueueChangeCount();
        if (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (deadline.Passed()) {
            ADD_FAILURE() << "no message within " << deadline.Span().count()
                          << " ms while waiting for " << awaited
                          << " (posted to another thread's queue?)";
            *msg = MSG{};
            return FALSE;
        }
        platform::WaitForQueueChange(
            seen, static_cast<int>(std::min(milliseconds(1), deadline.Left()).count()));
    }
}

}  // namespace testing_support
