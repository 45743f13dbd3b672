#include "host/window_rules.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

constexpr HostFlags kRunning{false, false, false};
constexpr HostFlags kPreview{true, false, false};
constexpr HostFlags kApproved{false, true, false};
constexpr HostFlags kChecking{false, false, true};

Route PassOn() {
  return Route{};
}
Route Default() {
  Route r;
  r.end = RouteEnd::kDefault;
  return r;
}
Route Returns(int32_t result) {
  Route r;
  r.end = RouteEnd::kReturn;
  r.result = result;
  return r;
}
template <typename F>
Route With(Route r, F change) {
  change(r);
  return r;
}

struct RouteCase {
  const char* name;
  uint32_t message;
  uintptr_t wParam;
  HostFlags flags;
  Route expected;
};

void PrintTo(const RouteCase& c, std::ostream* os) {
  *os << c.name;
}

class HostWindowRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(HostWindowRoutes, FollowTheTable) {
  const RouteCase& c = GetParam();
  EXPECT_EQ(RouteHostWindow(c.message, c.wParam, c.flags), c.expected);
}

const Route kCreateFull = With(PassOn(), [](Route& r) {
  r.detachInputMethod = true;
  r.hideCursor = true;
});
const Route kCreatePreview = With(PassOn(), [](Route& r) { r.detachInputMethod = true; });
const Route kDestroy = With(PassOn(), [](Route& r) { r.restoreInputMethod = true; });
const Route kHideAndPassOn = With(PassOn(), [](Route& r) { r.hideCursor = true; });
const Route kToParent = With(Returns(1), [](Route& r) { r.postToParent = true; });
const Route kYield = With(PassOn(), [](Route& r) { r.yield = true; });

INSTANTIATE_TEST_SUITE_P(
    Messages, HostWindowRoutes,
    ::testing::Values(
        RouteCase{"CreateFullScreen", msg::kCreate, 0, kRunning, kCreateFull},
        RouteCase{"CreatePreview", msg::kCreate, 0, kPreview, kCreatePreview},
        RouteCase{"Destroy", msg::kDestroy, 0, kApproved, kDestroy},
        RouteCase{"SetTextFullScreen", msg::kSetText, 0, kRunning, Returns(0)},
        RouteCase{"SetTextPreview", msg::kSetText, 0, kPreview, Returns(0)},
        RouteCase{"PaintRunning", msg::kPaint, 0, kRunning, kHideAndPassOn},
        RouteCase{"PaintPreview", msg::kPaint, 0, kPreview, PassOn()},
        RouteCase{"PaintApproved", msg::kPaint, 0, kApproved, Default()},
        RouteCase{"HelpPreview", msg::kHelp, 0, kPreview, kToParent},
        RouteCase{"ContextMenuPreview", msg::kContextMenu, 7, kPreview, kToParent},
        RouteCase{"HelpFullScreen", msg::kHelp, 0, kRunning, PassOn()},
        RouteCase{"KeyDownRunning", msg::kKeyDown, 32, kRunning, PassOn()},
        RouteCase{"KeyDownApproved", msg::kKeyDown, 32, kApproved, Default()},
        RouteCase{"MouseMoveApproved", msg::kMouseMove, 0, kApproved, Default()},
        RouteCase{"MButtonApproved", msg::kMButtonDown, 0, kApproved, Default()},
        RouteCase{"SysKeyDownChecking", msg::kSysKeyDown, 0, kChecking, PassOn()},
        RouteCase{"NextWindowSwallowed", msg::kSysCommand, 0xF040, kRunning, Returns(0)},
        RouteCase{"PrevWindowSwallowed", msg::kSysCommand, 0xF050, kRunning, Returns(0)},
        RouteCase{"ScreenSaveSwallowed", msg::kSysCommand, 0xF140, kRunning, Returns(0)},
        RouteCase{"ScreenSaveLowBitsNotSwallowed", msg::kSysCommand, 0xF142, kRunning, PassOn()},
        RouteCase{"ScreenSavePreview", msg::kSysCommand, 0xF140, kPreview, PassOn()},
        RouteCase{"ScCloseNotSwallowed", msg::kSysCommand, 0xF060, kRunning, PassOn()},
        RouteCase{"TimerRunning", msg::kTimer, 1, kRunning, kYield},
        RouteCase{"TimerApproved", msg::kTimer, 1, kApproved, Returns(0)},
        RouteCase{"CloseRunning", msg::kClose, 0, kRunning, PassOn()},
        RouteCase{"KeyUpRunning", 0x0101, 32, kRunning, PassOn()}),
    [](const auto& routeCase) { return std::string(routeCase.param.name); });

class HostDefaultRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(HostDefaultRoutes, FollowTheRulesInOrder) {
  const RouteCase& c = GetParam();
  EXPECT_EQ(RouteHostDefault(c.message, c.wParam, c.flags), c.expected);
}

const Route kPostClose = With(Default(), [](Route& r) { r.postClose = true; });
const Route kTravel = With(Default(), [](Route& r) { r.mouseTravel = true; });
const Route kHideAndDefault = With(Default(), [](Route& r) { r.hideCursor = true; });
const Route kHideAndReturn1 = With(Returns(1), [](Route& r) { r.hideCursor = true; });
Route EndsWith(RouteEnd end) {
  Route r;
  r.end = end;
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, HostDefaultRoutes,
    ::testing::Values(RouteCase{"PreviewKeyDown", msg::kKeyDown, 32, kPreview, Default()},
                      RouteCase{"PreviewClose", msg::kClose, 0, kPreview, Default()},
                      RouteCase{"PreviewSetCursor", msg::kSetCursor, 0, kPreview, Default()},
                      RouteCase{"ApprovedClose", msg::kClose, 0, kApproved, Default()},
                      RouteCase{"Close", msg::kClose, 0, kRunning,
                                EndsWith(RouteEnd::kApproveClose)},
                      RouteCase{"CloseWhileChecking", msg::kClose, 0, kChecking,
                                EndsWith(RouteEnd::kApproveClose)},
                      RouteCase{"PasswordMessage", msg::kPasswordMessage, 0, kChecking,
                                EndsWith(RouteEnd::kVerifyPassword)},
                      RouteCase{"KeyDownWhileChecking", msg::kKeyDown, 32, kChecking, Default()},
                      RouteCase{"SetCursorWhileChecking", msg::kSetCursor, 0, kChecking, Default()},
                      RouteCase{"ShowWindowShown", msg::kShowWindow, 1, kRunning, kHideAndDefault},
                      RouteCase{"ShowWindowHidden", msg::kShowWindow, 0, kRunning, Default()},
                      RouteCase{"SetCursor", msg::kSetCursor, 0, kRunning, kHideAndReturn1},
                      RouteCase{"KeyDown", msg::kKeyDown, 32, kRunning, kPostClose},
                      RouteCase{"SysKeyDown", msg::kSysKeyDown, 18, kRunning, kPostClose},
                      RouteCase{"LButtonDown", msg::kLButtonDown, 1, kRunning, kPostClose},
                      RouteCase{"RButtonDown", msg::kRButtonDown, 2, kRunning, kPostClose},
                      RouteCase{"MButtonDown", msg::kMButtonDown, 16, kRunning, kPostClose},
                      RouteCase{"MouseMove", msg::kMouseMove, 0, kRunning, kTravel},
                      RouteCase{"KeyUp", 0x0101, 32, kRunning, Default()},
                      RouteCase{"Char", 0x0102, 32, kRunning, Default()},
                      RouteCase{"LButtonUp", 0x0202, 0, kRunning, Default()},
                      RouteCase{"LButtonDoubleClick", 0x0203, 0, kRunning, Default()},
                      RouteCase{"MouseWheel", 0x020A, 0, kRunning, Default()},
                      RouteCase{"ActivateApp", 0x001C, 0, kRunning, Default()},
                      RouteCase{"ScClose", msg::kSysCommand, 0xF060, kRunning, Default()}),
    [](const auto& routeCase) { return std::string(routeCase.param.name); });

struct TravelCase {
  Point anchor;
  Point current;
  bool closes;
};

TEST(MouseTravel, MoreThanFourPixelsFromTheAnchorAsksForClosing) {
  const TravelCase cases[] = {
      {{500, 400}, {500, 400}, false},  // the message sent when the window comes up
      {{500, 400}, {503, 401}, false},  // 3 across, 1 down: exactly 4
      {{500, 400}, {504, 401}, true},   // one more right: 5
      {{500, 400}, {503, 402}, true},   // one more down: 5
      {{500, 400}, {496, 400}, false},  // 4 to the left
      {{500, 400}, {497, 398}, true},   // 3 left and 2 up
      {{0, 0}, {-3, -2}, true},
      {{INT32_MIN, 0}, {INT32_MAX, 0}, false},  // the difference wraps to -1: travel 1
      {{INT32_MIN, 0}, {INT32_MAX, 5}, true},
      {{0, 0}, {INT32_MIN, 0}, true},  // |INT32_MIN| is 2^31 as an unsigned travel
  };
  for (const TravelCase& c : cases) {
    EXPECT_EQ(TravelExceeds(c.anchor, c.current, 4), c.closes)
        << "(" << c.anchor.x << "," << c.anchor.y << ") -> (" << c.current.x << "," << c.current.y
        << ")";
  }
}

TEST(MouseTravel, ACursorPositionThatCantBeReadIsNoTravel) {
  for (Point anchor : {Point{0, 0}, Point{500, 400}, Point{INT32_MIN, INT32_MAX}}) {
    EXPECT_FALSE(TravelExceeds(anchor, std::nullopt, 4)) << anchor.x << "," << anchor.y;
    EXPECT_FALSE(TravelExceeds(anchor, std::nullopt, 0)) << anchor.x << "," << anchor.y;
  }
}

}  // namespace
}  // namespace orv
