// Rectangles and points with the layout of the platform's RECT and POINT.
#pragma once

#include <cstdint>

namespace orv {

struct Rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;

  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int32_t x;
  int32_t y;

  friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace orv
