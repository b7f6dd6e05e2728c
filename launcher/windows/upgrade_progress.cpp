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
    // WPARAM and LPARAM are pointer-wide: part * 100 fits 64 bits on a 32-bit
    // system and may pass them on a 64-bit one, where it is widened first.
#ifdef __SIZEOF_INT128__
    using Wide = unsigned __int128;
#else
    static_assert(sizeof(WPARAM) <= 4 && sizeof(LPARAM) <= 4);
    using Wide = std::uint64_t;
#endif
    return static_cast<int>(static_cast<Wide>(part) * 100 / whole);
}

std::wstring ProgressText(int percent) {
    return L"升级中，请稍候..." + std::to_wstring(percent) + L"%";
}

}  // namespace vantu
