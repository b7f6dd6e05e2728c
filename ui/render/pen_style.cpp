#include "ui/render/pen_style.h"

namespace VantuUI {

std::span<const DWORD> DashPattern(int style, int width) {
    static constexpr DWORD kDash[] = {18, 6};
    static constexpr DWORD kDot[] = {3, 3};
    static constexpr DWORD kDashDot[] = {9, 6, 3, 6};
    static constexpr DWORD kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    if (width > 1) {
        return {};
    }
    switch (style & PS_STYLE_MASK) {
        case PS_DASH:
            return kDash;
        case PS_DOT:
            return kDot;
        case PS_DASHDOT:
            return kDashDot;
        case PS_DASHDOTDOT:
            return kDashDotDot;
        default:
            return {};
    }
}

}  // namespace VantuUI
