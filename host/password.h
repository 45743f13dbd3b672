// The screen-saver password: whether one is in use for this run, the decision on every close
// request of the full-screen saver, the system's screen-saver-running state, and the
// password-change mode. The password itself and both dialogs belong to the platform.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orv {

// Full-screen runs only, before the window class is registered: reads the user's
// "ScreenSaveUsePassword" setting and, when it asks for a password, loads the platform's
// verification routine and switches the screen-saver-running state on.
void LoadPasswordCheck();

// After the message loop (also when no window could be made): frees the routine and switches
// the screen-saver-running state off again when it was switched on.
void UnloadPasswordCheck();

// Decides a close request of the full-screen saver window: nonzero grants it.
int32_t ApproveClose(HWND window);

// The password-change mode: `text` follows the mode letter and its blanks. Returns 0.
int32_t StartPasswordChange(const char* text);

// Hands the password change to the platform's routine, owned by `owner`.
void ChangePassword(HWND owner);

}  // namespace orv
