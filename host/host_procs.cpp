#include "host/host_procs.h"

#include <optional>

#include "host/host_state.h"
#include "host/password.h"
#include "host/window_rules.h"
#include "saver/saver.h"

namespace orv {

// The portable rules name the messages by number; these are the platform's numbers.
static_assert(msg::kCreate == WM_CREATE);
static_assert(msg::kDestroy == WM_DESTROY);
static_assert(msg::kSetText == WM_SETTEXT);
static_assert(msg::kPaint == WM_PAINT);
static_assert(msg::kClose == WM_CLOSE);
static_assert(msg::kShowWindow == WM_SHOWWINDOW);
static_assert(msg::kSetCursor == WM_SETCURSOR);
static_assert(msg::kHelp == WM_HELP);
static_assert(msg::kContextMenu == WM_CONTEXTMENU);
static_assert(msg::kKeyDown == WM_KEYDOWN);
static_assert(msg::kSysKeyDown == WM_SYSKEYDOWN);
static_assert(msg::kSysCommand == WM_SYSCOMMAND);
static_assert(msg::kTimer == WM_TIMER);
static_assert(msg::kMouseMove == WM_MOUSEMOVE);
static_assert(msg::kLButtonDown == WM_LBUTTONDOWN);
static_assert(msg::kRButtonDown == WM_RBUTTONDOWN);
static_assert(msg::kMButtonDown == WM_MBUTTONDOWN);
static_assert(msg::kPasswordMessage == WM_APP);
static_assert(kScNextWindow == SC_NEXTWINDOW);
static_assert(kScPrevWindow == SC_PREVWINDOW);
static_assert(kScScreenSave == SC_SCREENSAVE);

namespace {

HostFlags CurrentFlags() {
  return HostFlags{hostState.isPreview, hostState.closeApproved, hostState.checkingPassword};
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

// Empty when the position can't be read (the input desktop has changed, for instance).
std::optional<Point> CursorPosition() {
  POINT p;
  if (!GetCursorPos(&p)) return std::nullopt;
  return Point{p.x, p.y};
}

// A position that can't be read leaves the anchor where it was.
void AnchorCursor() {
  if (const std::optional<Point> p = CursorPosition()) hostState.cursorAnchor = POINT{p->x, p->y};
}

void ApplyMouseTravel(HWND window) {
  const std::optional<Point> current = CursorPosition();
  const Point anchor{hostState.cursorAnchor.x, hostState.cursorAnchor.y};
  if (TravelExceeds(anchor, current, hostState.moveThreshold)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    hostState.cursorAnchor = POINT{current->x, current->y};
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
      if (const LRESULT result = SaverWindowProc(window, message, wParam, lParam); result != 0)
        return result;
      return HostDefaultProc(window, message, wParam, lParam);
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
