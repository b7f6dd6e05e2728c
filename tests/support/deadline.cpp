#include "tests/support/deadline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/support/message_wait.h"

namespace testing_support {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

Deadline::Deadline(milliseconds span) : m_end(Clock::now() + span), m_span(span) {}

bool Deadline::Passed() const {
    return Clock::now() >= m_end;
}

milliseconds Deadline::Left() const {
    return std::max(milliseconds(0), std::chrono::ceil<milliseconds>(m_end - Clock::now()));
}

bool WaitUntil(const Deadline& deadline, const std::function<bool()>& done, milliseconds step) {
    while (!done()) {
        if (deadline.Passed()) {
            return done();
        }
        std::this_thread::sleep_for(std::min(step, deadline.Left()));
    }
    return true;
}

BOOL GetMessageBefore(const Deadline& deadline, MSG* msg, std::string_view awaited) {
    // GetMessage's own wait has no end, so this looks and waits in steps
    // that a posted message ends at once.
    for (;;) {
        const std::uint64_t mark = QueueMark();
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
        WaitForQueue(mark, deadline.Left());
    }
}

}  // namespace testing_support
