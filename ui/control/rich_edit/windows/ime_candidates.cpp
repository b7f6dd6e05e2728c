// The system's text services place the candidates themselves through the
// window's input context; this serves a host that asks all the same.

#include "ui/control/rich_edit/ime_candidates.h"

#include <imm.h>

namespace VantuUI {

void PlaceImeCandidates(HWND window, const RECT& rect) {
    HIMC context = ImmGetContext(window);
    if (context == nullptr) {
        return;
    }
    CANDIDATEFORM form{};
    form.dwIndex = 0;
    form.dwStyle = CFS_EXCLUDE;
    form.ptCurrentPos = POINT{rect.left, rect.bottom};
    form.rcArea = rect;
    ImmSetCandidateWindow(context, &form);
    ImmReleaseContext(window, context);
}

}  // namespace VantuUI
