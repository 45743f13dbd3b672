// The decisions of the saver window's two host procedures, as plain logic over a message, its
// first parameter and the host's flags: what the procedure does and how it answers. The
// Windows procedures carry out the returned steps in the order of the fields below, then the
// ending. No windows.h here.
#pragma once

#include <cstdint>
#include <optional>

#include "core/geometry.h"

namespace orv {

// Message numbers that the host names (host_procs.cpp checks them against <windows.h>).
namespace msg {
inline constexpr uint32_t kCreate = 0x0001;
inline constexpr uint32_t kDestroy = 0x0002;
inline constexpr uint32_t kSetText = 0x000C;
inline constexpr uint32_t kPaint = 0x000F;
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kShowWindow = 0x0018;
inline constexpr uint32_t kSetCursor = 0x0020;
inline constexpr uint32_t kHelp = 0x0053;
inline constexpr uint32_t kContextMenu = 0x007B;
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kSysKeyDown = 0x0104;
inline constexpr uint32_t kSysCommand = 0x0112;
inline constexpr uint32_t kTimer = 0x0113;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonDown = 0x0201;
inline constexpr uint32_t kRButtonDown = 0x0204;
inline constexpr uint32_t kMButtonDown = 0x0207;
inline constexpr uint32_t kPasswordMessage = 0x8000;  // WM_APP
}  // namespace msg

// System commands that the full-screen saver swallows.
inline constexpr uintptr_t kScNextWindow = 0xF040;
inline constexpr uintptr_t kScPrevWindow = 0xF050;
inline constexpr uintptr_t kScScreenSave = 0xF140;

struct HostFlags {
  bool isPreview;
  bool closeApproved;
  bool checkingPassword;
};

enum class RouteEnd : uint8_t {
  kPassOn,          // HostWindowProc: on to SaverWindowProc
  kDefault,         // DefWindowProcA with the same arguments
  kReturn,          // answer `result`
  kApproveClose,    // ask ApproveClose: granted goes to DefWindowProcA, refused re-anchors, 0
  kVerifyPassword,  // the password routine's answer, or 1 without one
};

struct Route {
  bool detachInputMethod = false;   // and anchor the cursor (window creation)
  bool restoreInputMethod = false;  // and post WM_QUIT (window destruction)
  bool hideCursor = false;
  bool postToParent = false;  // the same message to the parent, the parent as first parameter
  bool yield = false;         // Sleep(0)
  bool postClose = false;     // WM_CLOSE to the window
  bool mouseTravel = false;   // the mouse-travel rule
  RouteEnd end = RouteEnd::kPassOn;
  int32_t result = 0;

  friend bool operator==(const Route&, const Route&) = default;
};

// The window class's procedure: handles a few messages itself, passes the rest on.
Route RouteHostWindow(uint32_t message, uintptr_t wParam, const HostFlags& flags);

// The last stage of the chain: the rules by which input asks for closing, then DefWindowProcA.
Route RouteHostDefault(uint32_t message, uintptr_t wParam, const HostFlags& flags);

// Whether the cursor has travelled (horizontal plus vertical distance from the anchor, as an
// unsigned 32-bit number) more than `threshold` pixels. A cursor position that couldn't be read
// (empty; for instance while another desktop takes the input) is no travel.
bool TravelExceeds(Point anchor, std::optional<Point> current, uint32_t threshold);

}  // namespace orv
