// Helpers shared by the tests: seeds that give a chosen first draw, a clock the test sets,
// views of a given window size, and readable triples in failure messages.
#pragma once

#include <cstdint>
#include <ostream>

#include "core/frame_view.h"
#include "core/random.h"
#include "core/render_host.h"
#include "core/vec3.h"

namespace orv {

template <typename T>
void PrintTo(const Vec3<T>& v, std::ostream* out) {
  *out << "{" << v.x << ", " << v.y << ", " << v.z << "}";
}

}  // namespace orv

namespace orv::test {

// The seed after which the generator's next draws return `first` (and then whatever follows).
inline uint32_t SeedForFirstDraw(int32_t first) {
  // state' = seed x 214013 + 2531011 must be first << 16; 214013 is odd, so invertible mod 2^32.
  uint32_t inverse = 214013u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  return ((static_cast<uint32_t>(first) << 16) - 2531011u) * inverse;
}

// How many numbers the generator has drawn since it was seeded with `seed` (at most `limit`;
// -1 when more). Leaves the generator as it was.
inline int32_t DrawsSince(uint32_t seed, int32_t limit = 100000) {
  const uint32_t now = RandomState();
  srand(seed);
  int32_t draws = 0;
  while (RandomState() != now && draws <= limit) {
    rand();
    ++draws;
  }
  srand(now);
  return draws <= limit ? draws : -1;
}

struct ManualClock final : TickSource {
  uint32_t GetTickCount() override { return tick; }
  uint32_t tick = 0;
};

inline FrameView ViewOf(int32_t width, int32_t height) {
  return MakeFrameView(Rect{0, 0, width, height}, Point{0, 0});
}

}  // namespace orv::test
