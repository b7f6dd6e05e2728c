#include "launcher/windows/upgrade_progress.h"

#include <cstdint>

namespace vantu {

std::optional<int> ProgressPercent(WPARAM received, LPARAM total) {
    if (total <= 0) {
        return std::nullopt;
    }
    const auto whole = static_cast<std::uint64_t>(total);
    const auto part = static_cast<std::uint64_t>(received);
    if (part > whole) {
        return std::nullopt;
    }
    // part * 100 passes 64 bits for sizes above 2^57 bytes: widen first.
    return static_cast<int>(static_cast<unsigned __int128>(part) * 100 / whole);
}

std::wstring ProgressText(int percent) {
    return L"升级中，请稍候..." + std::to_wstring(percent) + L"%";
}

}  // namespace vantu
