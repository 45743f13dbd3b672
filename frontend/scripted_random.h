// Seeds chosen for what the generator draws next, so that a test or a benchmark can set up a
// run whose first draw is a given number (the kind of shape, say) without searching for it.
#pragma once

#include <cstdint>

namespace orv {

// The seed after which the generator's next draw returns `first` (and then whatever follows).
inline uint32_t SeedForFirstDraw(int32_t first) {
  // state' = seed x 214013 + 2531011 must be first << 16; 214013 is odd, so it has an inverse
  // modulo 2^32, found by Newton's iteration (each step doubles the correct low bits).
  uint32_t inverse = 214013u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  return ((static_cast<uint32_t>(first) << 16) - 2531011u) * inverse;
}

}  // namespace orv
