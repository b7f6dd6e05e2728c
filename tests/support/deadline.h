#pragma once

// Bounded waits for tests. What a test waits for may never come (a message
// posted to another thread's queue, a server that never answers); the test
// then fails with a message saying what it waited for instead of hanging
// until the test runner's time-out.

#include <chrono>
#include <functional>
#include <string_view>

#include "platform/window/message_queue.h"

namespace testing_support {

// The time by which a wait must end.
class Deadline {
  public:
    explicit Deadline(std::chrono::milliseconds span);

    bool Passed() const;
    std::chrono::milliseconds Left() const;  // zero once passed
    std::chrono::milliseconds Span() const { return m_span; }

  private:
    std::chrono::steady_clock::time_point m_end;
    std::chrono::milliseconds m_span;
};

// Polls `done` until it holds (true) or the deadline passes (false).
bool WaitUntil(const Deadline& deadline, const std::function<bool()>& done,
               std::chrono::milliseconds step = std::chrono::milliseconds(1));

// GetMessage of the calling thread's queue, given up at the deadline: TRUE for
// a message, FALSE for WM_QUIT. At the deadline it adds a test failure naming
// `awaited` and returns FALSE with msg->message == WM_NULL.
BOOL GetMessageBefore(const Deadline& deadline, MSG* msg, std::string_view awaited);

}  // namespace testing_support
