#include "host/password.h"

#include "host/host_state.h"
#include "host/password_logic.h"
#include "host/window_handle.h"
#include "host/window_rules.h"
#include "saver/saver_running.h"

namespace orv {
namespace {

using ChangePasswordFn = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, DWORD);

// GetProcAddress answers with a generic function address; the routine's own type is restored
// through the type that matches every function.
template <typename Fn>
Fn ProcAs(FARPROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// The close decision's platform: the tick counter, the window's queue and its chain.
class WindowDialogHost final : public PasswordDialogHost {
 public:
  explicit WindowDialogHost(HWND w) : window(w) {}

  uint32_t GetTickCount() override { return ::GetTickCount(); }
  void DropPendingTimers() override {
    MSG message;
    for (int i = 0; i < 2; ++i) {
      PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    }
  }
  int32_t AskPassword() override {
    return static_cast<int32_t>(SendMessageA(window, msg::kPasswordMessage, 0, 0));
  }
  void HideCursor() override { SetCursor(nullptr); }

 private:
  HWND window;
};

}  // namespace

void LoadPasswordCheck() {
  if (hostState.passwordLibrary != nullptr) UnloadPasswordCheck();
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS) return;
  // The type isn't examined; data longer than the buffer makes the query fail.
  uint8_t data[4] = {};
  DWORD size = sizeof data;
  const LONG result = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, data, &size);
  if (result == ERROR_SUCCESS && size <= sizeof data &&
      PasswordSettingInUse(std::span<const uint8_t>(data, size))) {
    hostState.passwordLibrary = LoadLibraryA("PASSWORD.CPL");
    if (hostState.passwordLibrary != nullptr) {
      hostState.verifyPassword = ProcAs<VerifyPasswordFn>(
          GetProcAddress(hostState.passwordLibrary, "VerifyScreenSavePwd"));
      if (hostState.verifyPassword != nullptr) {
        SetSaverRunning(1);
      } else {
        UnloadPasswordCheck();
      }
    }
  }
  RegCloseKey(key);
}

void UnloadPasswordCheck() {
  if (hostState.passwordLibrary == nullptr) return;
  FreeLibrary(hostState.passwordLibrary);
  hostState.passwordLibrary = nullptr;
  if (hostState.verifyPassword != nullptr) {
    hostState.verifyPassword = nullptr;
    SetSaverRunning(0);
  }
}

int32_t ApproveClose(HWND window) {
  WindowDialogHost host(window);
  const bool granted =
      DecideClose(CloseFlags{hostState.closeApproved, hostState.checkingPassword,
                             hostState.lastCheckTick, hostState.verifyPassword != nullptr},
                  host);
  return granted ? 1 : 0;
}

int32_t StartPasswordChange(const char* text) {
  HWND owner = WindowHandleFromText(text);
  if (owner == nullptr || !IsWindow(owner)) owner = GetForegroundWindow();
  ChangePassword(owner);
  return 0;
}

void ChangePassword(HWND owner) {
  HMODULE library = LoadLibraryA("MPR.DLL");
  if (library == nullptr) return;
  const auto change = ProcAs<ChangePasswordFn>(GetProcAddress(library, "PwdChangePasswordA"));
  if (change != nullptr) change("SCRSAVE", owner, 0, 0);
  FreeLibrary(library);
}

}  // namespace orv
