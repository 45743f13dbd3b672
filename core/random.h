// The process-wide random generator: a 32-bit linear congruential generator whose results are
// bits 16 to 30 of the new state. Every algorithm that draws from it fixes the order of its
// draws, so a seed reproduces a whole run. One state, no lock: it is seeded before the render
// thread starts and from then on used by one thread at a time.
#pragma once

#include <cstdint>

namespace orv {

void srand(uint32_t seed);

// 0 to 32767.
int32_t rand();

// r(a) = a x rand() / 32767 in 32-bit signed arithmetic, truncating: 0 to a for a >= 0, and a
// itself only when rand() returns 32767.
int32_t ScaledRand(int32_t a);

// The generator's raw state, for tests that check how many draws an algorithm made.
uint32_t RandomState();

}  // namespace orv
