#pragma once

// Kept apart from the probe's window code: Xlib's names (Window, Status,
// None...) would meet the window system's.

// Sends an event to a window that was just destroyed, on a connection of the
// probe's own, and waits for the server's answer: a BadWindow error on
// X_SendEvent, as a message to a closing window meets it. True when the
// connection could be opened (the process is still running to say so).
bool SendToAGoneWindow();
