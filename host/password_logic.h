// The decisions of the password check that need no platform: whether the user's setting asks
// for a password, and the answer to a close request of the full-screen saver. The Windows side
// (password.cpp) feeds them the registry data, the tick counter and the dialog.
#pragma once

#include <cstdint>
#include <span>

namespace orv {

// Milliseconds that must pass between the end of one password dialog and the next.
inline constexpr uint32_t kPasswordDialogGap = 200;
// `lastCheckTick` before the first password dialog.
inline constexpr uint32_t kNoPasswordDialogYet = 0xFFFFFFFFu;

// now - start in wrapping 32-bit arithmetic: the wrap of the tick counter doesn't disturb it.
constexpr uint32_t ElapsedTicks(uint32_t start, uint32_t now) {
  return now - start;
}

// `data` holds the bytes of "ScreenSaveUsePassword" as stored, whatever their type. The setting
// is read with a four-byte buffer: longer data makes the query fail (no password); shorter data
// fills the low bytes of a number that starts at 0, little-endian. A password is in use when
// the number isn't 0, so the text "0" (0x30 0x00) counts as in use.
bool PasswordSettingInUse(std::span<const uint8_t> data);

// What the close decision needs from the platform.
class PasswordDialogHost {
 public:
  virtual uint32_t GetTickCount() = 0;
  // Removes up to two pending timer messages of the window, so that the animation's timers
  // don't pile up behind the dialog.
  virtual void DropPendingTimers() = 0;
  // Runs the platform's password dialog through the window's own message handling: nonzero
  // when the right password was typed. The window's procedures are entered again meanwhile.
  virtual int32_t AskPassword() = 0;
  virtual void HideCursor() = 0;

 protected:
  ~PasswordDialogHost() = default;
};

// The host state fields that the decision reads and writes. They are references because the
// dialog's own message loop may ask again while the first request waits for its answer.
struct CloseFlags {
  bool& closeApproved;
  bool& checkingPassword;
  uint32_t& lastCheckTick;
  bool passwordInUse;
};

// Decides a close request: true grants it. Without a password every request is
// granted. With one, a request shows the dialog unless the dialog is up already or ended less
// than kPasswordDialogGap ms ago; the dialog's answer decides, and a refusal hides the cursor.
bool DecideClose(const CloseFlags& flags, PasswordDialogHost& host);

}  // namespace orv
