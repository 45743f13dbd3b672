// Turning a shape's particles for one frame: each model place turned about the y axis, then
// the x axis, then the z axis, with 16.16 fixed-point cosines and sines and every product
// rounded down; then moved to the shape's centre, its brightness set from the turned depth.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/vec3.h"
#include "effects/particle.h"

namespace orv {

// 1.0 in the 16.16 fixed point of the turn's cosines and sines.
constexpr int32_t kFixedOne = 65536;

// The 64-bit product shifted right by 16 (rounding toward minus infinity), low 32 bits.
constexpr int32_t FixedMul(int32_t a, int32_t b) {
  return static_cast<int32_t>((int64_t{a} * b) >> 16);
}

struct Turn {
  Vec3i cosine;  // 16.16 fixed point, about the x, y and z axes
  Vec3i sine;
  Vec3i offset;    // the centre's place in view space
  int32_t radius;  // a turned depth of -radius is brightest (296), +radius dimmest (40)
};

// Model coordinates up to this magnitude keep every product and sum of the turn, and its
// results, within 16 bits (a turned coordinate is at most 5 times the largest): where the
// processor has the lanes, such shapes are turned eight particles at a time.
constexpr uint32_t kNarrowModel = 6553;

// Whether this build turns narrow shapes eight particles at a time (builds for size don't):
// only then does a shape keep the largest magnitude of its model coordinates.
#if defined(__SSE2__) && !defined(__OPTIMIZE_SIZE__)
#define ORV_TURN_LANES 1
constexpr bool kTurnInLanes = true;
#else
constexpr bool kTurnInLanes = false;
#endif

// The largest magnitude among the particle's model coordinates.
constexpr uint32_t LargestModelCoordinate(const Particle& p) {
  const auto magnitude = [](int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    return v < 0 ? 0u - u : u;
  };
  return std::max({magnitude(p.modelX), magnitude(p.modelY), magnitude(p.modelZ)});
}

// Turns particles [first, end), whose model coordinates are at most `largestModel` in
// magnitude (a build that doesn't turn in lanes ignores it).
void TurnParticles(Particle* particles, int32_t first, int32_t end, const Turn& turn,
                   uint32_t largestModel);

}  // namespace orv
