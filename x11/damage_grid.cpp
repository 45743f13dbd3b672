#include "x11/damage_grid.h"

#include <algorithm>
#include <cstring>

namespace orv {

void DamageGrid::Resize(int32_t w, int32_t h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  columns = (width + kTile - 1) / kTile;
  rows = (height + kTile - 1) / kTile;
  dirty.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
  dirtyRow.assign(static_cast<size_t>(rows), 0);
  dirtyCount = 0;
}

void DamageGrid::SquareDrawn(int32_t x, int32_t y, uint32_t n) {
  if (n == 0) return;
  // The plotting only reports squares wholly inside the frame; clamp all the same, so that a
  // report from a frame of another size never marks outside the grid.
  const int64_t right = std::min<int64_t>(int64_t{x} + n, width);
  const int64_t bottom = std::min<int64_t>(int64_t{y} + n, height);
  if (x < 0 || y < 0 || x >= right || y >= bottom) return;
  const int32_t c0 = x / kTile;
  const int32_t c1 = static_cast<int32_t>((right - 1) / kTile);
  const int32_t r0 = y / kTile;
  const int32_t r1 = static_cast<int32_t>((bottom - 1) / kTile);
  for (int32_t r = r0; r <= r1; ++r) {
    dirtyRow[static_cast<size_t>(r)] = 1;
    for (int32_t c = c0; c <= c1; ++c) {
      uint8_t& tile =
          dirty[static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)];
      dirtyCount += tile == 0;
      tile = 1;
    }
  }
}

void DamageGrid::MarkAll() {
  std::fill(dirty.begin(), dirty.end(), uint8_t{1});
  std::fill(dirtyRow.begin(), dirtyRow.end(), uint8_t{1});
  dirtyCount = columns * rows;
}

const std::vector<Rect>& DamageGrid::TakeRuns(int32_t bridge) {
  runs.clear();
  if (dirtyCount == 0) return runs;
  for (int32_t r = 0; r < rows; ++r) {
    if (dirtyRow[static_cast<size_t>(r)] == 0) continue;
    dirtyRow[static_cast<size_t>(r)] = 0;
    uint8_t* row = dirty.data() + static_cast<size_t>(r) * static_cast<size_t>(columns);
    int32_t c = 0;
    while (c < columns) {
      // Most tiles are clean: step over eight of them at a time.
      uint64_t eight = 0;
      if (c + 8 <= columns && (std::memcpy(&eight, row + c, 8), eight == 0)) {
        c += 8;
        continue;
      }
      if (row[c] == 0) {
        ++c;
        continue;
      }
      const int32_t first = c;
      int32_t last = c;
      for (int32_t next = c + 1; next < columns && next - last <= bridge + 1; ++next) {
        if (row[next] != 0) last = next;
      }
      const int32_t top = r * kTile;
      runs.push_back(Rect{first * kTile, top, std::min((last + 1) * kTile, width),
                          std::min(top + kTile, height)});
      c = last + 1;
    }
    std::fill(row, row + columns, uint8_t{0});
  }
  dirtyCount = 0;
  return runs;
}

}  // namespace orv
