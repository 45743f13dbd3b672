// Where and how large the window is in the current frame, and the perspective projection of
// view-space points (x right, y down, z away from the viewer) onto its pixels.
#pragma once

#include <cstdint>

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
  // keeps its old position.
  bool Project(ScreenPoint& point) const;
};

// The view of a window whose client rectangle is `client` and whose client top-left corner
// lies at `topLeftOnScreen`.
FrameView MakeFrameView(const Rect& client, Point topLeftOnScreen);

}  // namespace orv
