// The host's two stages of the saver window's message chain, and the start-up of the two
// drawing modes.
#pragma once

#include <windows.h>

namespace orv {

// The window class's procedure: creation and destruction steps, cursor hiding, help requests
// of the preview, swallowed system commands; everything else goes to SaverWindowProc.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The last stage: the rules by which input asks for closing, the password message, and the
// platform's default handling.
LRESULT CALLBACK HostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the saver window full screen (null parent) or as the preview child of `parent`, until
// the window is gone; returns the exit code.
int RunSaver(HWND parent);

// Preview in the window whose decimal handle starts `text`; -1 without such a window.
int StartPreview(const char* text);

}  // namespace orv
