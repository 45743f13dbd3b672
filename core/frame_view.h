// Where and how large the window is in the current frame, and the perspective projection of
// view-space points (x right, y down, z away from the viewer) onto its pixels.
#pragma once

#include <cstdint>

#include "core/arith.h"
#include "core/geometry.h"

namespace orv {

// The fields of a point that the projection reads and writes; stars and shape particles
// begin with them.
struct ScreenPoint {
  static constexpr int16_t kUnplaced = -1000;  // not yet projected; never drawn

  int32_t x;
  int32_t y;
  int32_t z;
  int16_t screenX;
  int16_t screenY;
};

struct FrameView {
  int32_t halfWidth;
  int32_t halfHeight;
  int32_t focalLength;
  Rect screenRect;

  // Stores the point's window pixel in screenX/screenY and tells whether it lies inside the
  // window. The row is computed and tested before the column; a point at or behind the viewer
  // keeps its old position. Inline: it runs for every star and every shown particle of every
  // frame.
  bool Project(ScreenPoint& point) const {
    if (point.z <= 0) return false;
    point.screenY =
        static_cast<int16_t>(WrapAdd(WrapMul(focalLength, point.y) / point.z, halfHeight));
    if (point.screenY < 0 || point.screenY >= int64_t{2} * halfHeight) return false;
    point.screenX =
        static_cast<int16_t>(WrapAdd(WrapMul(focalLength, point.x) / point.z, halfWidth));
    if (point.screenX < 0 || point.screenX >= int64_t{2} * halfWidth) return false;
    return true;
  }
};

// The view of a window whose client rectangle is `client` and whose client top-left corner
// lies at `topLeftOnScreen`.
FrameView MakeFrameView(const Rect& client, Point topLeftOnScreen);

}  // namespace orv
