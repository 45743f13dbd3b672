// Stand-in for the password check until it lands: no password is ever in use, so every close
// request is granted at once.
#include <windows.h>

#include "host/host_state.h"
#include "host/password.h"

namespace orv {

void LoadPasswordCheck() {}

void UnloadPasswordCheck() {}

int32_t SetSaverRunning(int32_t on) {
  UINT previous = 0;
  return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(on), &previous, 0);
}

int32_t ApproveClose(HWND) {
  hostState.closeApproved = 1;
  return 1;
}

int32_t StartPasswordChange(const char*) {
  return 0;
}

void ChangePassword(HWND) {}

}  // namespace orv
