#include "effects/particle_turn.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/arith.h"

namespace orv {
namespace {

// The turn as plain 64-bit arithmetic, one particle at a time.
Particle Turned(Particle p, const Turn& t) {
  const auto mul = [](int64_t a, int64_t b) { return static_cast<int32_t>((a * b) >> 16); };
  const Vec3i& c = t.cosine;
  const Vec3i& s = t.sine;
  const int32_t x1 = WrapAdd(mul(p.modelX, c.y), mul(p.modelZ, s.y));
  const int32_t z1 = WrapSub(mul(p.modelZ, c.y), mul(p.modelX, s.y));
  const int32_t y2 = WrapSub(mul(p.modelY, c.x), mul(z1, s.x));
  const int32_t z2 = WrapAdd(mul(z1, c.x), mul(p.modelY, s.x));
  const int32_t x3 = WrapSub(mul(x1, c.z), mul(y2, s.z));
  const int32_t y3 = WrapAdd(mul(y2, c.z), mul(x1, s.z));
  const int32_t span = t.radius != 0 ? WrapMul(2, t.radius) : 1;
  p.brightness = WrapAdd(WrapMul(WrapSub(t.radius, z2), 256) / span, 40);
  p.x = WrapAdd(x3, t.offset.x);
  p.y = WrapAdd(y3, t.offset.y);
  p.z = WrapAdd(z2, t.offset.z);
  return p;
}

// Every particle of every range, whichever way it is turned (eight at a time or one by one),
// comes out as the plain arithmetic has it: model coordinates at and around the largest that
// fit 16 bits and far beyond, coefficients at +-1 exactly and at the smallest steps, radii
// of either sign and zero, offsets that wrap.
TEST(TurnParticles, GivesThePlainArithmeticsResultsForEveryParticle) {
  std::mt19937 random(7);
  const auto pick = [&](std::initializer_list<int32_t> values) {
    return values.begin()[random() % values.size()];
  };
  const auto within = [&](int32_t limit) {
    const int64_t choices = 2 * int64_t{limit} + 1;
    return static_cast<int32_t>(static_cast<int64_t>(random() % choices) - limit);
  };
  const int32_t models[] = {1, 1706, 6553, 6554, 40000, 2000000000};
  for (int round = 0; round < 400; ++round) {
    const int32_t largest = models[round % std::size(models)];
    std::vector<Particle> particles(37);
    uint32_t largestModel = 0;
    for (Particle& p : particles) {
      p.InitParticle(within(largest), within(largest), within(largest), 0xFFFFFF);
      if (random() % 4 == 0) p.modelZ = pick({largest, -largest});
      largestModel = std::max(largestModel, LargestModelCoordinate(p));
    }
    const auto coefficient = [&] {
      return random() % 3 == 0 ? pick({65536, -65536, 0, 1, -1, 65535, -65535}) : within(65536);
    };
    Turn turn;
    turn.cosine = {coefficient(), coefficient(), coefficient()};
    turn.sine = {coefficient(), coefficient(), coefficient()};
    turn.offset = {within(4000), within(4000), pick({7400, 92200, INT32_MAX, INT32_MIN})};
    turn.radius = pick({1200, 1, 0, -900, 1 << 20, (1 << 20) + 1, 70000000});
    const int32_t first = static_cast<int32_t>(random() % 5);
    const int32_t end = static_cast<int32_t>(particles.size() - random() % 5);

    std::vector<Particle> expected = particles;
    for (int32_t i = first; i < end; ++i) expected[i] = Turned(particles[i], turn);
    TurnParticles(particles.data(), first, end, turn, largestModel);
    for (size_t i = 0; i < particles.size(); ++i) {
      const Particle& got = particles[i];
      const Particle& want = expected[i];
      ASSERT_TRUE(got.x == want.x && got.y == want.y && got.z == want.z &&
                  got.brightness == want.brightness)
          << "round " << round << ", particle " << i << ": (" << got.x << ", " << got.y << ", "
          << got.z << ", " << got.brightness << ") instead of (" << want.x << ", " << want.y << ", "
          << want.z << ", " << want.brightness << ")";
    }
  }
}

TEST(TurnParticles, LargestModelCoordinateIsTheLargestMagnitude) {
  Particle p;
  p.InitParticle(-7, 5, 3, 0);
  EXPECT_EQ(LargestModelCoordinate(p), 7u);
  p.InitParticle(1, INT32_MIN, 3, 0);
  EXPECT_EQ(LargestModelCoordinate(p), 0x80000000u);
}

}  // namespace
}  // namespace orv
