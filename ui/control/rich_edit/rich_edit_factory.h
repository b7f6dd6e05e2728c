#pragma once

// Makes the rich edit for the skin builder. Null where the system's text
// services are not wired up yet (Windows): the class is then unknown.

namespace VantuUI {

class CControlUI;

CControlUI* MakeRichEdit();
// Whether `control` is a rich edit that takes Tab as typed text.
bool RichEditWantsTab(CControlUI* control);

}  // namespace VantuUI
