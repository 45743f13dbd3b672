// Helpers shared by the tests.
#pragma once

#include <cstdint>

#include "core/random.h"

namespace orv::test {

// The seed after which the generator's next draws return `first` (and then whatever follows).
inline uint32_t SeedForFirstDraw(int32_t first) {
  // state' = seed x 214013 + 2531011 must be first << 16; 214013 is odd, so invertible mod 2^32.
  uint32_t inverse = 214013u;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  return ((static_cast<uint32_t>(first) << 16) - 2531011u) * inverse;
}

}  // namespace orv::test
