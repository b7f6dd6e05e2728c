#pragma once

// The windowless rich-edit text services object behind the rich edit
// control (CTextServices), hosted through the project's ITextHost: the
// system's own on Windows (CreateTextServices), a stand-in over Pango
// elsewhere. Both have the same members.

#ifdef _WIN32
#include "platform/text_services/windows/text_services.h"
#else
#include "platform/text_services/linux/text_services.h"
#endif
