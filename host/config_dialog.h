// The configure mode: a small modal information dialog with an OK button.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orv {

// Shows dialog 2003 owned by `owner` (null: a top-level dialog) and returns its result: 1 after
// OK, -1 when the dialog can't be created, 0 when preparing it failed.
INT_PTR ShowConfigDialog(HWND owner);

// Registers what the dialog's controls need: nothing for this dialog. Returns 1.
int32_t PrepareConfigDialog(HINSTANCE instance);

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace orv
