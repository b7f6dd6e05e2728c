// The stand-in draws with Cairo, which keeps the back buffer's alpha.

#include "ui/control/rich_edit/text_layer.h"

namespace VantuUI {

void DrawTextLayer(HDC dc, const RECT& area, platform::CTextServices& services) {
    services.TxDraw(dc, area);
}

}  // namespace VantuUI
