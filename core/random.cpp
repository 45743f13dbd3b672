#include "core/random.h"

#include "core/arith.h"

namespace orv {
namespace {
uint32_t state = 0;
}

void srand(uint32_t seed) {
  state = seed;
}

int32_t rand() {
  state = state * 214013u + 2531011u;
  return static_cast<int32_t>((state >> 16) & 0x7FFFu);
}

int32_t ScaledRand(int32_t a) {
  return WrapMul(a, rand()) / 32767;
}

uint32_t RandomState() {
  return state;
}

}  // namespace orv
