// What the saver shows on a display it can't draw on (a palette visual, fewer than 16 bits
// per pixel): the message of the Windows saver, redrawn every 2.5 s at a random place in a
// random size and shade of blue, in a core X font.
#pragma once

#include "x11/options.h"
#include "x11/x_target.h"

namespace orv {

// Runs until the window is gone or, for a window of our own, closed. Returns the exit status.
int RunMessageText(const XTarget& target, const XOptions& options);

}  // namespace orv
