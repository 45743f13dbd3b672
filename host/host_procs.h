// The host's two stages of the saver window's message chain.
#pragma once

#include <windows.h>

namespace orv {

// The window class's procedure: creation and destruction steps, cursor hiding, help requests
// of the preview, swallowed system commands; everything else goes to SaverWindowProc.
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The last stage: the rules by which input asks for closing, the password message, and the
// platform's default handling.
LRESULT CALLBACK HostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orv
