#include "host/password_logic.h"

namespace orv {

bool PasswordSettingInUse(std::span<const uint8_t> data) {
  if (data.size() > 4) return false;  // the four-byte query fails
  uint32_t number = 0;
  for (size_t i = 0; i < data.size(); ++i) number |= uint32_t{data[i]} << (8 * i);
  return number != 0;
}

int32_t DecideClose(const CloseFlags& flags, PasswordDialogHost& host) {
  if (flags.checkingPassword != 0 || flags.closeApproved != 0) return 0;
  if (!flags.passwordInUse) {
    flags.closeApproved = 1;
    return 1;
  }
  const uint32_t now = host.GetTickCount();
  if (flags.lastCheckTick != kNoPasswordDialogYet &&
      ElapsedTicks(flags.lastCheckTick, now) < kPasswordDialogGap) {
    return 0;
  }
  flags.checkingPassword = 1;
  host.DropPendingTimers();
  const int32_t answer = host.AskPassword();
  // Any nonzero answer grants; the flag itself stays 0 or 1 for the window's rules.
  flags.closeApproved = answer != 0 ? 1 : 0;
  flags.checkingPassword = 0;
  if (answer == 0) host.HideCursor();
  flags.lastCheckTick = host.GetTickCount();  // after the dialog has closed
  return static_cast<int32_t>(flags.closeApproved);
}

}  // namespace orv
