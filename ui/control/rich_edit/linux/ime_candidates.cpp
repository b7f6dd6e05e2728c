#include "ui/control/rich_edit/ime_candidates.h"

#include "platform/window/window_api.h"

namespace VantuUI {

void PlaceImeCandidates(HWND window, const RECT& rect) {
    platform::SetImeCandidateRect(window, rect);
}

}  // namespace VantuUI
