// The primary surface as the drawing code sees it: four operations and the fields of a lock.
// The Windows build forwards them to IDirectDrawSurface; the portable build offers a plain
// memory frame with the same fields.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/geometry.h"

namespace orv {

// The fields of DDPIXELFORMAT that the drawing code reads.
struct PixelFormat {
  uint32_t dwFlags;
  uint32_t dwRGBBitCount;
  uint32_t dwRBitMask;
  uint32_t dwGBitMask;
  uint32_t dwBBitMask;
};

// Told of every square that is drawn, by a surface that must copy changed pixels to the display
// itself (an X image, a canvas): only those parts are sent, not the whole frame. A sink may keep
// its changes as a grid of tiles, one bit each; the usual square is then marked on it right
// here, inline, and only the others are reported: a frame draws thousands of squares, and a
// call for each cost more than the marking itself (in WebAssembly several times more).
class DamageSink {
 public:
  // Tile size in pixels, powers of two: a tile's column and row are shifts of x and y.
  static constexpr int32_t kTileShiftX = 3;
  static constexpr int32_t kTileShiftY = 3;
  static constexpr int32_t kTileWidth = 1 << kTileShiftX;
  static constexpr int32_t kTileHeight = 1 << kTileShiftY;
  // Squares of up to this edge are marked inline (they span at most two by two tiles).
  static constexpr uint32_t kSmall = kTileWidth < kTileHeight ? kTileWidth : kTileHeight;

  // An n-by-n square at (x, y), relative to the locked rectangle's top-left pixel, changed.
  void SquareDrawn(int32_t x, int32_t y, uint32_t n) {
    const auto ux = static_cast<uint32_t>(x);
    const auto uy = static_cast<uint32_t>(y);
    if (n - 1 < kSmall && uint64_t{ux} + n <= gridWidth && uint64_t{uy} + n <= gridHeight) {
      // A small square inside the frame spans at most two columns and two rows of tiles, and
      // the second column may be bit 0 of the next word (which exists then; the word after the
      // last row's last word is spare, so that an empty spill needs no test). The second row
      // may be the first again: marking it twice costs less than a branch.
      const uint32_t c0 = ux >> kTileShiftX;
      const uint64_t span = (uint64_t{2} << (((ux + n - 1) >> kTileShiftX) - c0)) - 1;
      const uint32_t bit = c0 % 64;
      const uint64_t low = span << bit;
      const uint64_t high = (span >> 1) >> (63 - bit);
      uint64_t* top = tiles + (uy >> kTileShiftY) * tileRowWords + c0 / 64;
      uint64_t* bottom = tiles + ((uy + n - 1) >> kTileShiftY) * tileRowWords + c0 / 64;
      top[0] |= low;
      top[1] |= high;
      bottom[0] |= low;
      bottom[1] |= high;
      return;
    }
    OtherSquareDrawn(x, y, n);
  }

 protected:
  DamageSink() = default;
  DamageSink(const DamageSink&) = delete;
  DamageSink& operator=(const DamageSink&) = delete;
  ~DamageSink() = default;

  // Every square that SquareDrawn does not mark itself: with no tile grid, every square.
  virtual void OtherSquareDrawn(int32_t x, int32_t y, uint32_t n) = 0;

  // The tile grid that SquareDrawn marks, for a frame of width x height pixels: per row of
  // tiles, `words` words holding its tiles left to right from bit 0 up, and one spare
  // word after the last row.
  void SetTileGrid(uint64_t* bits, size_t words, uint32_t width, uint32_t height) {
    tiles = bits;
    tileRowWords = words;
    gridWidth = width;
    gridHeight = height;
  }

 private:
  uint64_t* tiles = nullptr;
  size_t tileRowWords = 0;
  uint32_t gridWidth = 0;  // 0: no grid
  uint32_t gridHeight = 0;
};

// The fields of DDSURFACEDESC that a lock fills and the plotting reads, and where to report
// drawn squares (none for surfaces the plotting writes straight into the display).
struct SurfaceDesc {
  uint32_t dwHeight;  // height of the whole surface
  uint32_t dwWidth;   // width of the whole surface
  int32_t lPitch;     // bytes from one pixel row to the next
  void* lpSurface;    // the locked rectangle's top-left pixel
  PixelFormat ddpfPixelFormat;
  DamageSink* damage = nullptr;
};

class Surface {
 public:
  virtual void AddRef() = 0;
  // Locks the rectangle (screen coordinates) at once, without waiting: negative when the
  // surface is busy, lost or otherwise unlockable.
  virtual int32_t Lock(const Rect& rect, SurfaceDesc& desc) = 0;
  virtual void Unlock() = 0;
  virtual void Release() = 0;

 protected:
  ~Surface() = default;
};

}  // namespace orv
