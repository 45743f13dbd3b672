#include "core/random.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
  srand(1);
  const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int32_t value : expected) EXPECT_EQ(rand(), value);
}

TEST(Random, StateWrapsAtThirtyTwoBits) {
  srand(0xFFFFFFFFu);
  // (2^32 - 1) x 214013 + 2531011 mod 2^32 = 2316998, whose bits 16 to 30 are 35.
  EXPECT_EQ(rand(), 35);
  EXPECT_EQ(RandomState(), 2316998u);
}

TEST(Random, ScaledDrawRunsFromZeroToItsBound) {
  srand(1);
  const int32_t first = rand();  // 41
  srand(1);
  EXPECT_EQ(ScaledRand(6000), 6000 * first / 32767);
  for (int32_t a : {0, 1, 192, 6000, 15000, 36000}) {
    srand(static_cast<uint32_t>(a) * 7919u);
    for (int i = 0; i < 1000; ++i) {
      const int32_t r = ScaledRand(a);
      ASSERT_GE(r, 0);
      ASSERT_LE(r, a);
    }
  }
}

}  // namespace
}  // namespace orv
