// The password check's decisions: the input's first byte sets how many of the next bytes are
// the registry data of "ScreenSaveUsePassword"; the rest is a sequence of close requests
// (a tick step, the dialog's answer and whether input arrives while the dialog is up).
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "host/password_logic.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

template <typename Reference>
using Held = std::remove_reference_t<Reference>;

struct ScriptedDialog final : orv::PasswordDialogHost {
  uint32_t tick = 0;
  int32_t answer = 0;
  bool nestedRequest = false;
  int dialogs = 0;
  const orv::CloseFlags* flags = nullptr;

  uint32_t GetTickCount() override { return tick; }
  void DropPendingTimers() override {}
  int32_t AskPassword() override {
    ++dialogs;
    // Input dispatched by the dialog's own message loop asks again: always refused.
    if (nestedRequest) ORV_FUZZ_CHECK(orv::DecideClose(*flags, *this) == 0);
    tick += 7;
    return answer;
  }
  void HideCursor() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t settingBytes = data[0] % 8 < size - 1 ? data[0] % 8 : size - 1;
  const std::span<const uint8_t> setting(data + 1, settingBytes);
  uint32_t number = 0;
  for (size_t i = 0; i < settingBytes && i < 4; ++i) number |= uint32_t{setting[i]} << (8 * i);
  const bool inUse = orv::PasswordSettingInUse(setting);
  ORV_FUZZ_CHECK(inUse == (settingBytes <= 4 && number != 0));

  Held<decltype(orv::CloseFlags::closeApproved)> closeApproved{};
  Held<decltype(orv::CloseFlags::checkingPassword)> checkingPassword{};
  Held<decltype(orv::CloseFlags::lastCheckTick)> lastCheckTick = orv::kNoPasswordDialogYet;
  const orv::CloseFlags flags{closeApproved, checkingPassword, lastCheckTick, inUse};
  ScriptedDialog dialog;
  dialog.flags = &flags;
  dialog.tick = 0xFFFFF000u;  // the requests run across the tick counter's wrap

  for (size_t at = 1 + settingBytes; at + 3 <= size; at += 3) {
    dialog.tick += uint32_t{data[at]} * 4u;
    dialog.answer = data[at + 1] % 3 == 0 ? 0 : data[at + 1];
    dialog.nestedRequest = (data[at + 2] & 1) != 0;
    const bool wasApproved = closeApproved != 0;
    const uint32_t last = lastCheckTick;
    const int dialogsBefore = dialog.dialogs;
    const int32_t granted = orv::DecideClose(flags, dialog);

    ORV_FUZZ_CHECK(checkingPassword == 0);
    ORV_FUZZ_CHECK(!wasApproved || (granted == 0 && closeApproved != 0));
    ORV_FUZZ_CHECK((granted != 0) == (!wasApproved && closeApproved != 0));
    if (!inUse) {
      ORV_FUZZ_CHECK(dialog.dialogs == 0);
      ORV_FUZZ_CHECK(closeApproved != 0);
    }
    if (dialog.dialogs != dialogsBefore) {
      ORV_FUZZ_CHECK(dialog.dialogs == dialogsBefore + 1);
      // Never a dialog within 200 ms of the end of the last one.
      ORV_FUZZ_CHECK(last == orv::kNoPasswordDialogYet ||
                     dialog.tick - 7 - last >= orv::kPasswordDialogGap);
      ORV_FUZZ_CHECK(lastCheckTick == dialog.tick);
      ORV_FUZZ_CHECK((granted != 0) == (dialog.answer != 0));
    }
  }
  return 0;
}
