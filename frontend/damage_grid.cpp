#include "frontend/damage_grid.h"

#include <algorithm>
#include <bit>

namespace orv {
namespace {

constexpr uint64_t kAll = ~uint64_t{0};

// Bits first to last (0..63, first <= last) of a word.
uint64_t BitSpan(uint32_t first, uint32_t last) {
  return (kAll >> (63 - (last - first))) << first;
}

}  // namespace

void DamageGrid::Resize(int32_t w, int32_t h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  const int32_t columns = (width + kTileWidth - 1) >> kTileShiftX;
  rows = (height + kTileHeight - 1) >> kTileShiftY;
  wordsPerRow = (static_cast<size_t>(columns) + 63) / 64;
  bits.assign(wordsPerRow * static_cast<size_t>(rows) + 1, 0);
  SetTileGrid(bits.data(), wordsPerRow, static_cast<uint32_t>(width),
              static_cast<uint32_t>(height));
}

void DamageGrid::OtherSquareDrawn(int32_t x, int32_t y, uint32_t n) {
  // Clipped so that it never marks outside the grid.
  const auto ux = static_cast<uint32_t>(x);
  const auto uy = static_cast<uint32_t>(y);
  if (n == 0 || ux >= static_cast<uint32_t>(width) || uy >= static_cast<uint32_t>(height)) return;
  const uint32_t c0 = ux >> kTileShiftX;
  const uint32_t c1 = (ux + std::min(n, static_cast<uint32_t>(width) - ux) - 1) >> kTileShiftX;
  const uint32_t r0 = uy >> kTileShiftY;
  const uint32_t r1 = (uy + std::min(n, static_cast<uint32_t>(height) - uy) - 1) >> kTileShiftY;
  const uint32_t w0 = c0 / 64;
  const uint32_t w1 = c1 / 64;
  uint64_t* row = bits.data() + r0 * wordsPerRow;
  for (uint32_t r = r0; r <= r1; ++r, row += wordsPerRow) {
    if (w0 == w1) {
      row[w0] |= BitSpan(c0 % 64, c1 % 64);
      continue;
    }
    row[w0] |= BitSpan(c0 % 64, 63);
    for (uint32_t w = w0 + 1; w < w1; ++w) row[w] = kAll;
    row[w1] |= BitSpan(0, c1 % 64);
  }
}

void DamageGrid::MarkAll() {
  SquareDrawn(0, 0, static_cast<uint32_t>(std::max(width, height)));
}

bool DamageGrid::Empty() const {
  return std::all_of(bits.begin(), bits.end(), [](uint64_t word) { return word == 0; });
}

const std::vector<Rect>& DamageGrid::TakeRuns(int32_t bridge) {
  runs.clear();
  const auto gapJoined = static_cast<uint32_t>(std::max(bridge, 0));
  uint64_t* word = bits.data();
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t top = r << kTileShiftY;
    const int32_t bottom = std::min(top + kTileHeight, height);
    bool open = false;  // a run [first, last] of tiles is waiting for more
    uint32_t first = 0;
    uint32_t last = 0;
    const auto close = [&] {
      runs.push_back(Rect{static_cast<int32_t>(first << kTileShiftX), top,
                          std::min(static_cast<int32_t>((last + 1) << kTileShiftX), width),
                          bottom});
    };
    for (size_t w = 0; w < wordsPerRow; ++w, ++word) {
      uint64_t v = *word;
      if (v == 0) continue;
      *word = 0;
      const auto base = static_cast<uint32_t>(w * 64);
      while (v != 0) {
        // The lowest block of set bits: adding its lowest bit carries through it.
        const uint64_t rest = v & (v + (v & (~v + 1)));
        const uint64_t block = v ^ rest;
        v = rest;
        const uint32_t start = base + static_cast<uint32_t>(std::countr_zero(block));
        const uint32_t end = base + 63 - static_cast<uint32_t>(std::countl_zero(block));
        if (open && start - last - 1 <= gapJoined) {
          last = end;
          continue;
        }
        if (open) close();
        open = true;
        first = start;
        last = end;
      }
    }
    if (open) close();
  }
  return runs;
}

}  // namespace orv
