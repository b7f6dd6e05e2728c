#include "launcher/modules/windows_module_prepare.h"

#include "platform/gdi/text_layout.h"
#include "platform/window/display/prepare_display.h"

namespace vantu {

void PrepareSystemFonts() {
    platform::PrepareFontConfiguration();
    // The face and size the launcher's skins write in, and some of what they say.
    platform::WarmTextLayout(platform::FontSpec{.face = L"Microsoft YaHei", .size = 12},
                             "Vantu加速器版本升级中，请稍候...0%");
}

void PrepareSystemDisplay() {
    platform::PrepareDisplay();
}

}  // namespace vantu
