#pragma once

// Makes the rich edit for the skin builder.

namespace VantuUI {

class CControlUI;

CControlUI* MakeRichEdit();
// Whether `control` is a rich edit that takes Tab as typed text.
bool RichEditWantsTab(CControlUI* control);

}  // namespace VantuUI
