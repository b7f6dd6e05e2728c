#pragma once

namespace vantu {

// Gives the calling thread its single-threaded COM apartment, as the windows
// and the shell calls it reaches expect; never undone, the process ends with
// it. False when COM refused: the launcher then ends without doing anything.
// Where there is no COM there is nothing to set up, and the answer is true.
bool InitializeCom();

}  // namespace vantu
