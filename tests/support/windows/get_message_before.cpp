#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/deadline.h"

namespace testing_support {

BOOL GetMessageBefore(const Deadline& deadline, MSG* msg, std::string_view awaited) {
    // GetMessage's own wait has no end: wait for input to the queue until
    // the deadline instead.
    for (;;) {
        if (PeekMessageW(msg, nullptr, 0, 0, PM_REMOVE)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (deadline.Passed()) {
            ADD_FAILURE() << "no message within " << deadline.Span().count()
                          << " ms while waiting for " << awaited
                          << " (posted to another thread's queue?)";
            *msg = MSG{};
            return FALSE;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline.Left().count()),
                                  QS_ALLINPUT);
    }
}

}  // namespace testing_support
