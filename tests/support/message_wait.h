#pragma once

// The wait between two looks at the calling thread's message queue, per
// system: it ends when a message was queued after the mark was taken, or
// after at most `left`.

#include <chrono>
#include <cstdint>

namespace testing_support {

std::uint64_t QueueMark();
void WaitForQueue(std::uint64_t mark, std::chrono::milliseconds left);

}  // namespace testing_support
