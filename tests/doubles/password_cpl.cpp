// A stand-in for the platform's "PASSWORD.CPL". VerifyScreenSavePwd logs its call (the owner
// window, and whether the screen-saver-running state is on) and answers with the first line of
// "password-answers.txt" beside it: "ANSWER [MILLISECONDS]". With a time, it plays a modal
// dialog for that long: a small window owned by the caller and a message loop that dispatches
// the caller's messages meanwhile. No line left: answer 0 at once, as a cancelled dialog.
#include <cstdlib>

#include "tests/doubles/double_support.h"

namespace {
HMODULE self = nullptr;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    orv::doubles::AppendLog(self, "PASSWORD.CPL loaded");
  } else if (reason == DLL_PROCESS_DETACH) {
    orv::doubles::AppendLog(self, "PASSWORD.CPL freed");
  }
  return TRUE;
}

#ifndef ORV_WITHOUT_ROUTINE
namespace {

void PlayDialog(HWND owner, DWORD milliseconds) {
  HWND dialog = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Password double",
                                WS_POPUP | WS_VISIBLE | WS_BORDER | SS_CENTER, 100, 100, 200, 60,
                                owner, nullptr, self, nullptr);
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {  // as modal loops do: leave it for the caller's loop
        PostQuitMessage(static_cast<int>(message.wParam));
        milliseconds = 0;
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (dialog != nullptr) DestroyWindow(dialog);
}

}  // namespace

extern "C" __attribute__((dllexport)) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  std::string line;
  long answer = 0;
  long milliseconds = 0;
  const bool scripted = orv::doubles::TakeFirstLine(self, "password-answers.txt", &line);
  if (scripted) {
    char* rest = nullptr;
    answer = std::strtol(line.c_str(), &rest, 10);
    milliseconds = std::strtol(rest, nullptr, 10);
    if (milliseconds < 0 || milliseconds > 60000) milliseconds = 0;
  }
  orv::doubles::AppendLog(
      self, "VerifyScreenSavePwd owner=" + orv::doubles::DescribeWindow(owner) +
                " running=" + std::to_string(orv::doubles::ScreenSaverRunning()) +
                " answer=" + std::to_string(answer) + (scripted ? "" : " (no answer left)"));
  if (milliseconds > 0) PlayDialog(owner, static_cast<DWORD>(milliseconds));
  return static_cast<BOOL>(answer);
}
#endif
