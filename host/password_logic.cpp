#include "host/password_logic.h"

namespace orv {

bool PasswordSettingInUse(std::span<const uint8_t> data) {
  if (data.size() > 4) return false;  // the four-byte query fails
  uint32_t number = 0;
  for (size_t i = 0; i < data.size(); ++i) number |= uint32_t{data[i]} << (8 * i);
  return number != 0;
}

bool DecideClose(const CloseFlags& flags, PasswordDialogHost& host) {
  if (flags.checkingPassword || flags.closeApproved) return false;
  if (!flags.passwordInUse) {
    flags.closeApproved = true;
    return true;
  }
  const uint32_t now = host.GetTickCount();
  if (flags.lastCheckTick != kNoPasswordDialogYet &&
      ElapsedTicks(flags.lastCheckTick, now) < kPasswordDialogGap) {
    return false;
  }
  flags.checkingPassword = true;
  host.DropPendingTimers();
  const int32_t answer = host.AskPassword();
  flags.closeApproved = answer != 0;  // any nonzero answer grants
  flags.checkingPassword = false;
  if (answer == 0) host.HideCursor();
  flags.lastCheckTick = host.GetTickCount();  // after the dialog has closed
  return flags.closeApproved;
}

}  // namespace orv
