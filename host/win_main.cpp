// Start-up: one mode per process, chosen by the argument text.
#include <windows.h>

#include "host/config_dialog.h"
#include "host/fault_guard.h"
#include "host/host_procs.h"
#include "host/host_state.h"
#include "host/message_loop.h"
#include "host/mode_decision.h"
#include "host/password.h"
#include "host/window_handle.h"

namespace orv {
namespace {

constexpr char kClassName[] = "WindowsScreenSaverClass";
constexpr char kFullScreenTitle[] = "Screen Saver";
constexpr char kPreviewTitle[] = "Preview";
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kPreviewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
// The icon number that the class asks for; the resources keep their only icon under 101, so
// the captionless window has no class icon.
constexpr WORD kClassIcon = 100;

// Runs the saver window full screen (null parent) or as the preview child of `parent`, until
// the window is gone; returns the exit code.
int RunSaver(HWND parent) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = hostState.instance;
  windowClass.hIcon = LoadIconA(hostState.instance, MAKEINTRESOURCEA(kClassIcon));
  windowClass.hCursor = nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;

  int width;
  int height;
  const char* title;
  DWORD style;
  DWORD exStyle = 0;
  if (parent != nullptr) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    width = client.right;
    height = client.bottom;
    hostState.isPreview = true;
    title = kPreviewTitle;
    style = kPreviewStyle;
  } else {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    title = kFullScreenTitle;
    style = kFullScreenStyle;
    HWND running = FindWindowA(kClassName, kFullScreenTitle);
    if (running != nullptr && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordCheck();
    exStyle = WS_EX_TOPMOST;
  }

  // Without a class or a window no loop runs; the run counts as failed.
  int exitCode = -1;
  if (RegisterClassA(&windowClass) != 0) {
    hostState.saverWindow = CreateWindowExA(exStyle, kClassName, title, style, 0, 0, width, height,
                                            parent, nullptr, hostState.instance, nullptr);
  }
  if (hostState.saverWindow != nullptr) {
    if (parent == nullptr) SetForegroundWindow(hostState.saverWindow);
    MSG message = {};
    exitCode = RunMessageLoop(
        message, [](MSG& m) { return static_cast<int32_t>(GetMessageA(&m, nullptr, 0, 0)); },
        [](const MSG& m) {
          TranslateMessage(&m);
          DispatchMessageA(&m);
        });
  }
  UnloadPasswordCheck();
  return exitCode;
}

// Preview in the window whose decimal handle starts `text`; -1 without such a window.
int StartPreview(const char* text) {
  HWND parent = WindowHandleFromText(text);
  if (parent == nullptr || !IsWindow(parent)) return -1;
  return RunSaver(parent);
}

int RunChosenMode(const char* text) {
  const ModeDecision decision = DecideMode(text);
  switch (decision.mode) {
    case RunMode::kConfigureWithoutOwner:
      return static_cast<int>(ShowConfigDialog(nullptr));
    case RunMode::kFullScreen:
      return RunSaver(nullptr);
    case RunMode::kConfigure:
      return static_cast<int>(ShowConfigDialog(GetForegroundWindow()));
    case RunMode::kPreview:
      return StartPreview(decision.rest);
    case RunMode::kPasswordChange:
      StartPasswordChange(decision.rest);
      return 0;
    default:
      return -1;
  }
}

}  // namespace
}  // namespace orv

// The C runtime's own argument text treats bytes from 0x80 up as blanks; the command line is
// read here instead, with bytes taken unsigned.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  orv::hostState.instance = instance;
  orv::InstallFaultGuard();
  const int exitCode = orv::RunChosenMode(orv::ArgumentText(GetCommandLineA()));
  orv::RemoveFaultGuard();
  return exitCode;
}
