// How the saver ends when it can't go on (an unusable built-in picture, memory exhausted where
// no failure is handled): at once and without a message box, since nothing may appear over a
// screen saver.
#pragma once

namespace orv {

// Exit code of a quiet end.
inline constexpr unsigned kQuietEndExitCode = 3;

// Writes `reason` (one line) to the debugger output, switches the screen-saver-running state off
// where this run switched it on, and ends the process with kQuietEndExitCode.
[[noreturn]] void EndQuietly(const char* reason);

}  // namespace orv
