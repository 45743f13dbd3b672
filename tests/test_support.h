// Helpers shared by the tests: seeds that give a chosen first draw and a clock the test sets
// (both shared with the benchmarks), views of a given window size, and readable triples in
// failure messages.
#pragma once

#include <cstdint>
#include <ostream>

#include "core/frame_view.h"
#include "core/random.h"
#include "core/render_host.h"
#include "core/vec3.h"
#include "frontend/scripted_clock.h"
#include "frontend/scripted_random.h"

namespace orv {

template <typename T>
void PrintTo(const Vec3<T>& v, std::ostream* out) {
  *out << "{" << v.x << ", " << v.y << ", " << v.z << "}";
}

}  // namespace orv

namespace orv::test {

using orv::ManualClock;
using orv::SeedForFirstDraw;

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

inline FrameView ViewOf(int32_t width, int32_t height) {
  return MakeFrameView(Rect{0, 0, width, height}, Point{0, 0});
}

}  // namespace orv::test
