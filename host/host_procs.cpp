#include "host/host_procs.h"

#include "host/host_state.h"
#include "host/password.h"
#include "host/window_rules.h"
#include "saver/saver.h"

namespace orv {
namespace {

HostFlags CurrentFlags() {
  return HostFlags{hostState.isPreview, hostState.closeApproved, hostState.checkingPassword};
}

void AnchorCursor() {
  GetCursorPos(&hostState.cursorAnchor);
}

// No input-method window may open over the saver. IMM32.DLL is used only when something else
// already loaded it into the process.
void DetachInputMethod(HWND window) {
  hostState.imeLibrary = GetModuleHandleA("IMM32.DLL");
  if (hostState.imeLibrary == nullptr) return;
  hostState.associateContext = reinterpret_cast<AssociateContextFn>(
      reinterpret_cast<void*>(GetProcAddress(hostState.imeLibrary, "ImmAssociateContext")));
  if (hostState.associateContext == nullptr) return;
  hostState.savedInputContext = hostState.associateContext(window, nullptr);
}

void RestoreInputMethod(HWND window) {
  if (hostState.imeLibrary != nullptr && hostState.associateContext != nullptr &&
      hostState.savedInputContext != nullptr) {
    hostState.associateContext(window, hostState.savedInputContext);
  }
}

void PostToParent(HWND window, UINT message, LPARAM lParam) {
  HWND parent = GetParent(window);
  if (parent != nullptr && IsWindow(parent)) {
    PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
  }
}

void ApplyMouseTravel(HWND window) {
  POINT current;
  GetCursorPos(&current);
  const Point anchor{hostState.cursorAnchor.x, hostState.cursorAnchor.y};
  if (TravelExceeds(anchor, Point{current.x, current.y}, hostState.moveThreshold)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    hostState.cursorAnchor = current;
  }
}

}  // namespace

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Route route = RouteHostWindow(message, wParam, CurrentFlags());
  if (route.detachInputMethod) {
    DetachInputMethod(window);
    AnchorCursor();
  }
  if (route.restoreInputMethod) {
    RestoreInputMethod(window);
    PostQuitMessage(0);
  }
  if (route.hideCursor) SetCursor(nullptr);
  if (route.postToParent) PostToParent(window, message, lParam);
  if (route.yield) Sleep(0);  // in favour of the render thread

  switch (route.end) {
    case RouteEnd::kDefault:
      return DefWindowProcA(window, message, wParam, lParam);
    case RouteEnd::kReturn:
      return route.result;
    default:
      return SaverWindowProc(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK HostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Route route = RouteHostDefault(message, wParam, CurrentFlags());
  if (route.hideCursor) SetCursor(nullptr);
  if (route.postClose) PostMessageA(window, WM_CLOSE, 0, 0);
  if (route.mouseTravel) ApplyMouseTravel(window);

  switch (route.end) {
    case RouteEnd::kApproveClose:
      if (ApproveClose(window) != 0) return DefWindowProcA(window, message, wParam, lParam);
      AnchorCursor();
      return 0;
    case RouteEnd::kVerifyPassword:
      return hostState.verifyPassword != nullptr ? hostState.verifyPassword(window) : 1;
    case RouteEnd::kReturn:
      return route.result;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace orv
