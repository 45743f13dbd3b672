// Which parts of a frame changed since it was last sent to the X server, kept as a grid of
// square tiles. The frame loop never clears the screen and every effect erases only its own
// squares, so a frame changes a few hundred small spots: sending the tiles that hold them,
// joined into horizontal runs, costs a small fraction of sending the whole frame. Small tiles
// keep the pixels sent few (measured at 1920x1080: 8-pixel tiles cost the server about half
// of what 32-pixel tiles do).
#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "core/surface.h"

namespace orv {

class DamageGrid final : public DamageSink {
 public:
  static constexpr int32_t kTile = 8;  // tile edge in pixels

  void Resize(int32_t width, int32_t height);
  void SquareDrawn(int32_t x, int32_t y, uint32_t n) override;
  // The whole frame changed (new image, exposure).
  void MarkAll();
  bool Empty() const { return dirtyCount == 0; }

  // The changed area as rectangles (left, top, right, bottom; right and bottom exclusive,
  // clipped to the frame): per row of tiles, runs of changed tiles, where a gap of at most
  // `bridge` clean tiles is sent along rather than split into two requests. Clears the grid.
  // The list is kept by the grid and reused, so a frame allocates nothing once it has grown.
  const std::vector<Rect>& TakeRuns(int32_t bridge = 1);

 private:
  int32_t width = 0;
  int32_t height = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t dirtyCount = 0;
  std::vector<uint8_t> dirty;     // per tile
  std::vector<uint8_t> dirtyRow;  // per row of tiles: whether any of its tiles is dirty
  std::vector<Rect> runs;         // the last answer of TakeRuns
};

}  // namespace orv
