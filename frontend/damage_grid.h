// Which parts of a frame changed since it was last sent to the X server, kept as a grid of
// tiles, one bit each. The frame loop never clears the screen and every effect erases only its
// own squares, so a frame changes a few hundred small spots: sending the tiles that hold them,
// joined into horizontal runs, costs a small fraction of sending the whole frame.
// The tiles are DamageSink's, which marks the usual square itself: tiles of 8 x 8 pixels with
// runs bridged over one clean tile cost the X server least of the sizes tried
// (docs/performance.md).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

class DamageGrid final : public DamageSink {
 public:
  void Resize(int32_t width, int32_t height);
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
  // Large squares, and squares the plotting never reports: outside the frame or across its
  // edge (a late report from a frame of another size).
  void OtherSquareDrawn(int32_t x, int32_t y, uint32_t n) override;

  int32_t width = 0;
  int32_t height = 0;
  int32_t rows = 0;
  size_t wordsPerRow = 0;
  std::vector<uint64_t> bits;  // per row of tiles, its tiles left to right from bit 0 up;
                               // one spare word at the end
  std::vector<Rect> runs;      // the last answer of TakeRuns
};

}  // namespace orv
