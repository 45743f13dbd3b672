// Which parts of a frame changed since it was last sent to the X server, kept as a grid of
// tiles, one bit each. The frame loop never clears the screen and every effect erases only its
// own squares, so a frame changes a few hundred small spots: sending the tiles that hold them,
// joined into horizontal runs, costs a small fraction of sending the whole frame.
// Tiles of 8 x 8 pixels with runs bridged over one clean tile cost the X server least of the
// sizes tried (docs/performance.md).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

class DamageGrid final : public DamageSink {
 public:
  // Tile size in pixels, powers of two: a tile's column and row are shifts of x and y.
  static constexpr int32_t kTileShiftX = 3;
  static constexpr int32_t kTileShiftY = 3;
  static constexpr int32_t kTileWidth = 1 << kTileShiftX;
  static constexpr int32_t kTileHeight = 1 << kTileShiftY;
  // Squares of up to this edge are marked by the quick path (at most two by two tiles).
  static constexpr uint32_t kSmall = kTileWidth < kTileHeight ? kTileWidth : kTileHeight;

  void Resize(int32_t width, int32_t height);
  void SquareDrawn(int32_t x, int32_t y, uint32_t n) override;
  // The whole frame changed (new image, exposure).
  void MarkAll();
  bool Empty() const;

  // The changed area as rectangles (left, top, right, bottom; right and bottom exclusive,
  // clipped to the frame), top to bottom and left to right: per row of tiles, runs of changed
  // tiles, where a gap of at most `bridge` clean tiles is sent along rather than split into two
  // rectangles. Clears the grid. The list is kept by the grid and reused, so a frame allocates
  // nothing once it has grown.
  const std::vector<Rect>& TakeRuns(int32_t bridge = 1);

 private:
  // Any other square, the rare case: kept out of the quick path so that it stays small.
  [[gnu::noinline]] void MarkClipped(uint32_t x, uint32_t y, uint32_t n);

  int32_t width = 0;
  int32_t height = 0;
  int32_t rows = 0;
  size_t wordsPerRow = 0;
  std::vector<uint64_t> bits;  // per row of tiles, its tiles left to right from bit 0 up;
                               // one spare word at the end
  std::vector<Rect> runs;      // the last answer of TakeRuns
};

}  // namespace orv
