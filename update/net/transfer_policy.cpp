#include "update/net/transfer_policy.h"

#include <mutex>

#include "update/build_settings.h"

namespace vantu {

namespace {

std::mutex& LimitsMutex() {
    static std::mutex mutex;
    return mutex;
}

TransferLimits& Limits() {
    static TransferLimits limits;
    return limits;
}

}  // namespace

TransferLimits CurrentTransferLimits() {
    std::lock_guard lock(LimitsMutex());
    return Limits();
}

void SetTransferLimitsForTesting(const TransferLimits& limits) {
    std::lock_guard lock(LimitsMutex());
    Limits() = limits;
}

bool FitsPackageLimit(std::uint64_t bytes) {
    return bytes <= Settings().maxPackageBytes;
}

}  // namespace vantu
