#pragma once

// Message queues: PostMessage, GetMessage and the rest. On Windows they are
// user32's; elsewhere the window system's stand-in keeps a queue per thread.

#ifdef _WIN32
#include "platform/win32.h"
#else
#include "platform/window/linux/message_queue.h"
#endif
