#include "ui/control/basic/label_effects.h"

#include <algorithm>

namespace VantuUI {

SIZE GlowSize(int width, int height, float fuzzy) {
    const float factor = std::max(fuzzy, 1.0f);
    return SIZE{std::clamp(static_cast<int>(static_cast<float>(width) / factor), 1, width),
                std::clamp(static_cast<int>(static_cast<float>(height) / factor), 1, height)};
}

}  // namespace VantuUI
