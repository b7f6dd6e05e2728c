#pragma once

// Sending a window message to another program's window and waiting for its
// answer (the stand-in for SendMessageW across processes). On X11 the message
// travels as a ClientMessage; the receiving program processes it and answers
// with a ClientMessage to a window of the sender. Message numbers and
// parameters travel as 32-bit values.

#include <chrono>

#include "platform/win32.h"
#include "platform/x11/x11_window_lookup.h"

union _XEvent;

namespace platform {

// Sends the message and waits until the window's program answered it, the
// window went away, or the time-out passed (a hung receiver cannot hang the
// sender). True when it was answered; `result` then holds the answer.
bool SendForeignMessage(ForeignWindow window, UINT message, WPARAM wParam, LPARAM lParam,
                        std::chrono::milliseconds timeout, LRESULT* result = nullptr);

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
