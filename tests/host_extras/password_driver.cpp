// Drives the password check and the password change on a plain window of its own, one step
// per argument, and writes what it sees to standard output, one line per step:
//   load              LoadPasswordCheck
//   unload            UnloadPasswordCheck
//   close             ApproveClose(window), with the cursor set first so that hiding shows
//                     (it is set at the start too: the window's class has none)
//   post-close        queue WM_CLOSE to the window; the window answers it with ApproveClose
//   wait:N            run the message loop for N milliseconds
//   change:TEXT       StartPasswordChange(TEXT); "WINDOW" in TEXT becomes the window's number,
//                     "OTHER" the number of a second window that is not in the foreground
// The window answers WM_APP with the loaded routine, as the saver window's chain does, and
// notes it in the output; it answers WM_CLOSE with ApproveClose and notes the result.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "host/host_state.h"
#include "host/password.h"

orv::HostState orv::hostState;

namespace {

unsigned Number(HWND window) {
  return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window));
}

int ScreenSaverRunning() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running ? 1 : 0;
}

void PrintState(const char* step, int result) {
  std::printf("%s=%d approved=%u checking=%u verify=%d running=%d cursor=%s", step, result,
              orv::hostState.closeApproved, orv::hostState.checkingPassword,
              orv::hostState.verifyPassword != nullptr ? 1 : 0, ScreenSaverRunning(),
              GetCursor() == nullptr ? "hidden" : "shown");
  if (orv::hostState.lastCheckTick != 0xFFFFFFFFu) {
    std::printf(" sinceDialog=%lu", GetTickCount() - orv::hostState.lastCheckTick);
  }
  std::printf("\n");
  std::fflush(stdout);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP:
      std::printf("WM_APP\n");  // the password message reached the window
      std::fflush(stdout);
      return orv::hostState.verifyPassword != nullptr ? orv::hostState.verifyPassword(window) : 1;
    case WM_CLOSE:
      PrintState("WM_CLOSE close", orv::ApproveClose(window));
      return 0;  // the window stays for the steps that follow
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RunMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

}  // namespace

int main(int argc, char** argv) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  orv::hostState.instance = instance;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "OrvPasswordDriver";
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  if (RegisterClassA(&windowClass) == 0) return 3;
  HWND other =
      CreateWindowExA(0, "OrvPasswordDriver", "Other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                      50, 200, 100, nullptr, nullptr, instance, nullptr);
  HWND window =
      CreateWindowExA(0, "OrvPasswordDriver", "Password driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      50, 50, 320, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr || other == nullptr) return 3;
  SetForegroundWindow(window);
  RunMessages(100);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  std::printf("window=%u foreground=%u running=%d other=%u\n", Number(window),
              Number(GetForegroundWindow()), ScreenSaverRunning(), Number(other));
  std::fflush(stdout);

  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    if (step == "load") {
      orv::LoadPasswordCheck();
      PrintState("load", orv::hostState.passwordLibrary != nullptr ? 1 : 0);
    } else if (step == "unload") {
      orv::UnloadPasswordCheck();
      PrintState("unload", orv::hostState.passwordLibrary != nullptr ? 1 : 0);
    } else if (step == "close") {
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      PrintState("close", orv::ApproveClose(window));
    } else if (step == "post-close") {
      PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (step.rfind("wait:", 0) == 0) {
      RunMessages(static_cast<DWORD>(std::strtoul(step.c_str() + 5, nullptr, 10)));
    } else if (step.rfind("change:", 0) == 0) {
      std::string text = step.substr(7);
      for (const auto& [name, handle] : {std::pair{"WINDOW", window}, std::pair{"OTHER", other}}) {
        const size_t at = text.find(name);
        if (at != std::string::npos) text.replace(at, 6, std::to_string(Number(handle)));
      }
      std::printf("change=%d\n", orv::StartPasswordChange(text.c_str()));
      std::fflush(stdout);
    } else {
      std::fprintf(stderr, "password_driver: unknown step \"%s\"\n", step.c_str());
      return 2;
    }
  }
  DestroyWindow(window);
  DestroyWindow(other);
  return 0;
}
