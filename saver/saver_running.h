// The system's screen-saver-running state (SPI_SCREENSAVERRUNNING), which a full-screen run with
// a password in use switches on. Another saver (a full-screen one beside this preview, say) may
// own it, so a run that ends early switches it off only when it switched it on itself.
#pragma once

#include <cstdint>

namespace orv {

// Sets the state to `on` (1 or 0) and returns the system call's result; remembers whether this
// run has it on.
int32_t SetSaverRunning(int32_t on);

// Switches the state off when this run switched it on and hasn't switched it off since.
void EndSaverRunningOfThisRun();

}  // namespace orv
