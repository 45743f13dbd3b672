// The check that every memory surface makes before a lock, as the display does: a rectangle
// that is not wholly on the surface is refused.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace orv {

// Whether `rect` is a proper rectangle (left <= right, top <= bottom) lying wholly on a surface
// of width x height pixels.
inline bool LiesOnSurface(const Rect& rect, uint32_t width, uint32_t height) {
  return rect.left >= 0 && rect.top >= 0 && rect.left <= rect.right && rect.top <= rect.bottom &&
         static_cast<uint32_t>(rect.right) <= width && static_cast<uint32_t>(rect.bottom) <= height;
}

}  // namespace orv
