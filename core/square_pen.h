// The drawing primitive for one square size. A frame draws all its squares at one size, so
// everything about a square that depends on neither its place nor its colour is settled once,
// when the pen is made from the frame's lock: the last place at which a square of this size
// still fits, the pixel format, and the fill for this pixel width and size, whose rows are
// plain stores.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/colour.h"
#include "core/surface_lock.h"

namespace orv {

class SquarePen {
 public:
  // Squares of n x n pixels on the lock's surface; a lock that failed draws nothing.
  SquarePen(const SurfaceLock& lock, uint8_t n);

  // Fills the square whose top-left corner is (x, y), relative to the window, only when the
  // whole square lies inside the window.
  void PlotSquare(int16_t x, int16_t y, uint32_t colour) const {
    // A negative coordinate turns into a value above every last place (at most 0x7FFF).
    const auto column = static_cast<uint32_t>(int32_t{x});
    const auto row = static_cast<uint32_t>(int32_t{y});
    if (column > lastX || row > lastY) return;
    fill(*this, column, row, PixelValue(colour));
  }

  uint32_t PixelValue(uint32_t colour) const {
    return (RotateRight(colour, greenShift) & greenMask) |
           (RotateRight(colour, redShift) & redMask) | (RotateRight(colour, blueShift) & blueMask);
  }

  // Writes the square at (x, y), which fits, with the pixel value.
  using Fill = void (*)(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel);

 private:
  template <typename Unit>
  struct Units;
  template <bool Merge>
  struct Triples;
  struct AnyWidth;
  static void Nothing(const SquarePen&, uint32_t, uint32_t, uint32_t) {}
  // For a surface that copies changed pixels to the display itself: reports the square to its
  // damage sink, then writes it with `write`.
  static void Reported(const SquarePen& pen, uint32_t x, uint32_t y, uint32_t pixel);

  // The address of pixel (x, y), which fits; the pixel width as a constant where the fill
  // knows it.
  unsigned char* At(uint32_t x, uint32_t y, ptrdiff_t pixelBytes) const {
    return first + pixelBytes * static_cast<int32_t>(x) + pitch * static_cast<int32_t>(y);
  }

  Fill fill = Nothing;
  Fill write = Nothing;  // the fill behind Reported
  DamageSink* damage = nullptr;
  uint32_t lastX = 0;  // a square fits where x <= lastX and y <= lastY
  uint32_t lastY = 0;
  unsigned char* first = nullptr;  // the window's top-left pixel
  ptrdiff_t pitch = 0;
  uint32_t keep = 0;  // the bits of a pixel that no channel mask covers
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
  int8_t redShift = 0;
  int8_t greenShift = 0;
  int8_t blueShift = 0;
  uint8_t bytesPerPixel = 0;
  uint8_t n = 0;
};

}  // namespace orv
