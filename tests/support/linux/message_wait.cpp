#include <algorithm>

#include "platform/window/message_queue.h"
#include "tests/support/message_wait.h"

namespace testing_support {

std::uint64_t QueueMark() {
    return platform::QueueChangeCount();
}

void WaitForQueue(std::uint64_t mark, std::chrono::milliseconds left) {
    // Short steps: display input and timers are taken up only by the next
    // look, within a millisecond or so.
    platform::WaitForQueueChange(
        mark, static_cast<int>(std::min(std::chrono::milliseconds(1), left).count()));
}

}  // namespace testing_support
