#include "host/window_rules.h"

namespace orv {
namespace {

Route End(RouteEnd end, int32_t result = 0) {
  Route route;
  route.end = end;
  route.result = result;
  return route;
}

bool IsCloseInput(uint32_t message) {
  switch (message) {
    case msg::kKeyDown:
    case msg::kSysKeyDown:
    case msg::kLButtonDown:
    case msg::kRButtonDown:
    case msg::kMButtonDown:
      return true;
    default:
      return false;
  }
}

// |a - b| of two 32-bit coordinates, as the unsigned value of the wrapped signed difference.
uint32_t Distance(int32_t a, int32_t b) {
  const uint32_t d = static_cast<uint32_t>(a) - static_cast<uint32_t>(b);
  return static_cast<int32_t>(d) < 0 ? 0u - d : d;
}

}  // namespace

Route RouteHostWindow(uint32_t message, uintptr_t wParam, const HostFlags& flags) {
  Route route;
  switch (message) {
    case msg::kCreate:
      route.detachInputMethod = true;
      route.hideCursor = !flags.isPreview;
      return route;
    case msg::kDestroy:
      route.restoreInputMethod = true;
      return route;
    case msg::kSetText:
      return End(RouteEnd::kReturn, 0);
    case msg::kPaint:
      if (flags.closeApproved) return End(RouteEnd::kDefault);
      route.hideCursor = !flags.isPreview;
      return route;
    case msg::kHelp:
    case msg::kContextMenu:
      if (!flags.isPreview) return route;
      route.postToParent = true;
      route.end = RouteEnd::kReturn;
      route.result = 1;
      return route;
    case msg::kKeyDown:
    case msg::kSysKeyDown:
    case msg::kMouseMove:
    case msg::kLButtonDown:
    case msg::kRButtonDown:
    case msg::kMButtonDown:
      return flags.closeApproved ? End(RouteEnd::kDefault) : route;
    case msg::kSysCommand:
      if (!flags.isPreview &&
          (wParam == kScNextWindow || wParam == kScPrevWindow || wParam == kScScreenSave)) {
        return End(RouteEnd::kReturn, 0);
      }
      return route;
    case msg::kTimer:
      if (flags.closeApproved) return End(RouteEnd::kReturn, 0);
      route.yield = true;
      return route;
    default:
      return route;
  }
}

Route RouteHostDefault(uint32_t message, uintptr_t wParam, const HostFlags& flags) {
  if (flags.isPreview || flags.closeApproved) return End(RouteEnd::kDefault);
  if (message == msg::kClose) return End(RouteEnd::kApproveClose);
  if (message == msg::kPasswordMessage) return End(RouteEnd::kVerifyPassword);
  if (flags.checkingPassword) return End(RouteEnd::kDefault);

  Route route = End(RouteEnd::kDefault);
  if (message == msg::kShowWindow) {
    route.hideCursor = wParam != 0;
  } else if (message == msg::kSetCursor) {
    route.hideCursor = true;
    route.end = RouteEnd::kReturn;
    route.result = 1;
  } else if (IsCloseInput(message)) {
    route.postClose = true;
  } else if (message == msg::kMouseMove) {
    route.mouseTravel = true;
  }
  return route;
}

bool TravelExceeds(Point anchor, std::optional<Point> current, uint32_t threshold) {
  if (!current) return false;
  const uint32_t travel = Distance(current->x, anchor.x) + Distance(current->y, anchor.y);
  return travel > threshold;
}

}  // namespace orv
