// Stand-in for the configure dialog until it lands: the configure mode ends as after OK.
#include "host/config_dialog.h"

namespace orv {

INT_PTR ShowConfigDialog(HWND) {
  return 1;
}

int32_t PrepareConfigDialog(HINSTANCE) {
  return 1;
}

INT_PTR CALLBACK ConfigDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

}  // namespace orv
