#pragma once

// Window messages between programs on X11 (SendForeignMessage,
// foreign_window.h): the message travels as a ClientMessage; the receiving
// program processes it and answers with a ClientMessage to a window of the
// sender. Message numbers and parameters travel as 32-bit values.

#include "platform/win32.h"
#include "platform/x11/linux/x11_window_lookup.h"

union _XEvent;

namespace platform {

// A message that SendForeignMessage sent to one of this program's windows.
struct ForeignMessage {
    ForeignWindow window = 0;  // the receiving window
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    ForeignWindow replyWindow = 0;
    long token = 0;
};

// True when the event is such a message; fills `out`.
bool ReadForeignMessage(_XDisplay* display, const _XEvent& event, ForeignMessage& out);

// Ends the sender's wait; call after the message was processed. A sender that
// gave up meanwhile is no error.
void AnswerForeignMessage(_XDisplay* display, const ForeignMessage& message, LRESULT result);

}  // namespace platform
