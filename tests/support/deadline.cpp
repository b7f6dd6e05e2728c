#include "tests/support/deadline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

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

}  // namespace testing_support
