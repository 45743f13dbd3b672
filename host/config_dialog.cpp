#include "host/config_dialog.h"

#include "host/host_state.h"
#include "resources/resource_ids.h"

namespace orv {

INT_PTR ShowConfigDialog(HWND owner) {
  if (PrepareConfigDialog(hostState.instance) == 0) return 0;
  return DialogBoxParamA(hostState.instance, MAKEINTRESOURCEA(ORV_CONFIG_DIALOG), owner,
                         ConfigDialogProc, 0);
}

int32_t PrepareConfigDialog(HINSTANCE /*instance*/) {
  return 1;
}

// Only OK (the button or Enter) ends the dialog; IDCANCEL (Esc, the caption's close button)
// is left unanswered, so the dialog stays open.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    EndDialog(dialog, 1);
    return 1;
  }
  return 0;
}

}  // namespace orv
