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
  // keeps its old position.
  bool Project(ScreenPoint& point) const;
};

// A frame's projection with its bounds worked out once: the form for loops over many points,
// where it runs for every star and every shown particle of every frame.
class Projection {
 public:
  explicit Projection(const FrameView& view)
      : focalLength(view.focalLength),
        halfWidth(view.halfWidth),
        halfHeight(view.halfHeight),
        columns(Limit(view.halfWidth)),
        rows(Limit(view.halfHeight)) {}

  // FrameView::Project.
  bool operator()(ScreenPoint& point) const {
    if (point.z <= 0) return false;
    point.screenY =
        static_cast<int16_t>(WrapAdd(WrapMul(focalLength, point.y) / point.z, halfHeight));
    if (!Within(point.screenY, rows)) return false;
    point.screenX =
        static_cast<int16_t>(WrapAdd(WrapMul(focalLength, point.x) / point.z, halfWidth));
    return Within(point.screenX, columns);
  }

 private:
  // 0 <= v < 2 x half is v < limit in one unsigned comparison: a negative v turns into a value
  // of at least 0xFFFF8000, above every limit, and no 16-bit v reaches a limit above 0x8000.
  static uint32_t Limit(int32_t half) {
    if (half <= 0) return 0;
    return half >= 0x4000 ? 0x8000 : static_cast<uint32_t>(2 * half);
  }
  static bool Within(int16_t v, uint32_t limit) {
    return static_cast<uint32_t>(int32_t{v}) < limit;
  }

  int32_t focalLength;
  int32_t halfWidth;
  int32_t halfHeight;
  uint32_t columns;
  uint32_t rows;
};

inline bool FrameView::Project(ScreenPoint& point) const {
  return Projection(*this)(point);
}

// The view of a window whose client rectangle is `client` and whose client top-left corner
// lies at `topLeftOnScreen`.
FrameView MakeFrameView(const Rect& client, Point topLeftOnScreen);

}  // namespace orv
