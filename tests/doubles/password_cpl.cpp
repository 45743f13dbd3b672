// A stand-in for the platform's "PASSWORD.CPL". VerifyScreenSavePwd logs its call (the owner
// window, and whether the screen-saver-running state is on) and answers with the first line of
// "password-answers.txt" beside it: "ANSWER [MILLISECONDS] [key]". With a time, it plays a
// modal dialog for that long: a small window owned by the caller, with the arrow cursor, and a
// message loop that dispatches the caller's messages meanwhile. With "key", a key press follows
// at once, before the answer reaches the caller. No line left: answer 0 at once, as a
// cancelled dialog.
//
// From its first call on it also watches the caller's thread: every key press and close request
// that the owner window takes from its queue is logged, during the dialog or so many
// milliseconds after the end of the last one.
#include <cstdlib>

#include "tests/doubles/double_support.h"

namespace {
HMODULE self = nullptr;
HHOOK messageHook = nullptr;
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    orv::doubles::AppendLog(self, "PASSWORD.CPL loaded");
  } else if (reason == DLL_PROCESS_DETACH) {
    // The hook's procedure lives in this library: it must not outlive it.
    if (messageHook != nullptr) UnhookWindowsHookEx(messageHook);
    orv::doubles::AppendLog(self, "PASSWORD.CPL freed");
  }
  return TRUE;
}

#ifndef ORV_WITHOUT_ROUTINE
namespace {

HWND watchedWindow = nullptr;
bool dialogUp = false;
DWORD dialogEnd = 0;

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM message) {
  const auto* m = reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removal == PM_REMOVE && m->hwnd == watchedWindow &&
      (m->message == WM_KEYDOWN || m->message == WM_CLOSE)) {
    const std::string when =
        dialogUp ? "during the dialog"
                 : std::to_string(GetTickCount() - dialogEnd) + " ms after the dialog";
    orv::doubles::AppendLog(self, (m->message == WM_KEYDOWN ? "WM_KEYDOWN " : "WM_CLOSE ") + when);
  }
  return CallNextHookEx(messageHook, code, removal, message);
}

// Keeps the keyboard focus where it is (the caller's window), so that keys typed meanwhile
// reach the caller as nested input.
void PlayDialog(HWND owner, DWORD milliseconds) {
  HWND dialog = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "Password double",
                                WS_POPUP | WS_BORDER | SS_CENTER, 100, 100, 200, 60, owner, nullptr,
                                self, nullptr);
  if (dialog != nullptr) ShowWindow(dialog, SW_SHOWNOACTIVATE);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));  // as the platform's dialog shows one
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

void PressSpace() {
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_SPACE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof keys[0]);
}

}  // namespace

extern "C" __attribute__((dllexport)) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
  std::string line;
  long answer = 0;
  long milliseconds = 0;
  bool pressKey = false;
  const bool scripted = orv::doubles::TakeFirstLine(self, "password-answers.txt", &line);
  if (scripted) {
    char* rest = nullptr;
    answer = std::strtol(line.c_str(), &rest, 10);
    milliseconds = std::strtol(rest, &rest, 10);
    if (milliseconds < 0 || milliseconds > 60000) milliseconds = 0;
    pressKey = std::string(rest).find("key") != std::string::npos;
  }
  orv::doubles::AppendLog(
      self, "VerifyScreenSavePwd owner=" + orv::doubles::DescribeWindow(owner) +
                " running=" + std::to_string(orv::doubles::ScreenSaverRunning()) +
                " answer=" + std::to_string(answer) + (scripted ? "" : " (no answer left)"));
  watchedWindow = owner;
  if (messageHook == nullptr) {
    messageHook = SetWindowsHookExA(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());
  }
  dialogUp = true;
  if (milliseconds > 0) PlayDialog(owner, static_cast<DWORD>(milliseconds));
  dialogUp = false;
  dialogEnd = GetTickCount();
  if (pressKey) PressSpace();
  return static_cast<BOOL>(answer);
}
#endif
