// One frame's lock of the primary surface over the window's rectangle, and the one drawing
// primitive. Bytes per pixel is 2, 3 or 4 here: palette displays are refused at setup.
#pragma once

#include <cstdint>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

class SurfaceLock {
 public:
  SurfaceLock(Surface& surface, const Rect& windowRect);
  ~SurfaceLock();
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;

  bool IsLocked() const { return locked; }

  // Fills an n-by-n square whose top-left corner is (x, y) relative to the window, only when
  // the whole square lies inside the window.
  void PlotSquare(int16_t x, int16_t y, uint8_t n, uint32_t colour);

  // The usable width and height: the surface's, clamped to the window rectangle.
  uint32_t Width() const { return desc.dwWidth; }
  uint32_t Height() const { return desc.dwHeight; }

  // The colour as a pixel value of the locked surface's format.
  uint32_t PixelValue(uint32_t colour) const;

 private:
  bool locked;
  Surface* surface;
  uint8_t bytesPerPixel = 0;
  uint32_t channelMask = 0;
  int8_t redShift = 0;
  int8_t greenShift = 0;
  int8_t blueShift = 0;
  SurfaceDesc desc{};
};

}  // namespace orv
