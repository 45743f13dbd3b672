#include "effects/shape_effect.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "core/arith.h"
#include "core/colour.h"
#include "core/random.h"
#include "core/trig.h"
#include "effects/star_field.h"

namespace orv {
namespace {

// Cruising spins are drawn within +-kCruiseSpin millionths of a radian per millisecond; a
// materialising shape starts at a tenth of a spin drawn within +-kStartSpin.
constexpr int32_t kCruiseSpin = 1200;
constexpr int32_t kStartSpin = 1000;
constexpr double kMillionths = 1000000.0;
// Starting angles: 0 to 6.28 radians in steps of 0.02.
constexpr int32_t kAngleSteps = 314;
constexpr double kAngleStepsPerRadian = 50.0;
// Depths are drawn from behind the viewer to kFarthestDrawnDepth, then stretched beyond the
// rest depth: an arrival's four times, a departure's three times.
constexpr int32_t kFarthestDrawnDepth = 28600;
constexpr int32_t kArrivalStretch = 4;
constexpr int32_t kDepartureStretch = 3;
// Of ten shapes, three materialise instead of flying in, and three dissolve instead of flying
// away.
constexpr int32_t kMaterialiseTenths = 3;
constexpr int32_t kDissolveTenths = 3;
// The z spin of the slowly rolling emblem is a third of the drawn one.
constexpr double kSlowRoll = 3;

int32_t FixedSine(double (*function)(double), double angle) {
  return TruncToInt32(function(angle) * kFixedOne);
}

// Ten of the 110 residues for each kind.
ShapeKind DrawKind() {
  return static_cast<ShapeKind>(rand() % (kShapeKinds * 10) / 10);
}

double DrawAngle() {
  return ScaledRand(kAngleSteps) / kAngleStepsPerRadian;
}

double DrawSpin() {
  return (ScaledRand(2 * kCruiseSpin) - kCruiseSpin) / kMillionths;
}

double DrawStartSpin() {
  return ((ScaledRand(2 * kStartSpin) - kStartSpin) / kMillionths) / 10.0;
}

// A depth for the start of an arrival or the end of a departure.
int32_t DrawDepth(int32_t stretch) {
  return StretchDepth(
      ScaledRand(kFarthestDrawnDepth + ShapeEffect::RestDepth) - ShapeEffect::RestDepth, stretch);
}

// count x t / span kept within 0 to count, in 64 bits: a very long gap between two frames
// leaves all particles shown (or retired) instead of overflowing.
int32_t Proportion(int32_t count, int32_t t, int32_t span) {
  const int64_t part = int64_t{count} * t / span;
  if (part > count) return count;
  if (part < 0) return 0;
  return static_cast<int32_t>(part);
}

}  // namespace

int32_t StretchDepth(int32_t z, int32_t stretch) {
  if (z <= ShapeEffect::RestDepth) return z;
  return WrapAdd(ShapeEffect::RestDepth, WrapMul(stretch, z - ShapeEffect::RestDepth));
}

void DrawOffscreenPlace(const FrameView& view, int32_t radius, int32_t z, int32_t& x, int32_t& y) {
  // A window under 2 pixels wide has no focal length; treat it as 1.
  const int32_t f = view.focalLength > 0 ? view.focalLength : 1;
  const int32_t edgeX = WrapDiv(WrapMul(z, view.halfWidth), f);
  const int32_t edgeY = WrapDiv(WrapMul(z, view.halfHeight), f);
  if (rand() % 10 < 5) {  // left or right side
    x = WrapAdd(WrapMul(2, radius), edgeX);
    y = WrapSub(ScaledRand(WrapMul(2, edgeY)), edgeY);
    if (rand() % 10 < 5) x = WrapSub(0, x);
  } else {  // top or bottom side
    x = WrapSub(ScaledRand(WrapMul(2, edgeX)), edgeX);
    y = WrapAdd(WrapMul(2, radius), edgeY);
    if (rand() % 10 < 5) y = WrapSub(0, y);
  }
}

void Particle::InitParticle(int32_t px, int32_t py, int32_t pz, uint32_t c) {
  modelX = x = px;
  modelY = y = py;
  modelZ = z = pz;
  screenX = screenY = ScreenPoint::kUnplaced;
  brightness = 255;
  colour = c;
}

int32_t Ease(int32_t a, int32_t b, int32_t c, int32_t d) {
  const double k = static_cast<double>(WrapSub(b, a)) / (static_cast<double>(c) * c);
  const double dd = static_cast<double>(d);
  return TruncToInt32(dd * dd * k + a);
}

Vec3i Ease(const Vec3i& a, const Vec3i& b, int32_t c, int32_t d) {
  return {Ease(a.x, b.x, c, d), Ease(a.y, b.y, c, d), Ease(a.z, b.z, c, d)};
}

ShapeEffect::ShapeEffect(Unbuilt, TickSource& ticks)
    : particles(new (std::nothrow) Particle[kCapacity]), clock(ticks) {}

ShapeEffect::ShapeEffect(const FrameView& view, TickSource& ticks, bool& firstShapeDone)
    : ShapeEffect(Unbuilt{}, ticks) {
  if (particles == nullptr) return;

  kind = DrawKind();
  while (!firstShapeDone && ShowsEmblemOrBanner(kind)) kind = DrawKind();
  firstShapeDone = true;
  BuildKind(kind);
  radius += radius / 10;  // a margin of a tenth

  // A braced list draws its x, then its y, then its z.
  angle = {DrawAngle(), DrawAngle(), DrawAngle()};
  cruiseSpin = spin = {DrawSpin(), DrawSpin(), DrawSpin()};
  if (kind == ShapeKind::EmblemSlowRoll) cruiseSpin.z = spin.z = spin.z / kSlowRoll;

  if (rand() % 10 < kMaterialiseTenths) {
    arrival = ArrivalMode::Materialise;
    startSpin = spin = {DrawStartSpin(), DrawStartSpin(), DrawStartSpin()};
  } else {
    arrival = ArrivalMode::FlyIn;
    start.z = DrawDepth(kArrivalStretch);
    DrawOffscreenPlace(view, radius, start.z, start.x, start.y);
  }

  lifetime = ScaledRand(kLongestLifetime - kShortestLifetime) + kShortestLifetime;

  if (rand() % 10 < kDissolveTenths) {
    departure = DepartureMode::Dissolve;
  } else {
    departure = DepartureMode::FlyAway;
    end.z = DrawDepth(kDepartureStretch);
    DrawOffscreenPlace(view, radius, end.z, end.x, end.y);
  }

  // Shuffled particles appear and retire in random order instead of build order. A shape
  // without particles has nothing to shuffle.
  const bool shuffle = (arrival == ArrivalMode::Materialise && rand() % 10 > 4) ||
                       (departure == DepartureMode::Dissolve && rand() % 10 < 5);
  if (shuffle && count > 0) {
    for (int32_t i = 0; i < count; ++i) std::swap(particles[i], particles[rand() % count]);
  }

  startTick = lastTick = clock.GetTickCount();
  firstShown = 0;
}

bool ShapeEffect::AddParticle(int32_t x, int32_t y, int32_t z, uint32_t particleColour) {
  if (particles == nullptr || count >= kCapacity) return false;
  particles[count].InitParticle(x, y, z, particleColour);
  if constexpr (kTurnInLanes) {
    largestModel = std::max(largestModel, LargestModelCoordinate(particles[count]));
  }
  ++count;
  return true;
}

void ShapeEffect::UpdateTimeline() {
  const uint32_t now = clock.GetTickCount();
  const int32_t dt = static_cast<int32_t>(now - lastTick);
  lastTick = now;
  const int32_t t = static_cast<int32_t>(now - startTick);

  if (t < kPhase) {
    if (arrival == ArrivalMode::Materialise) {
      offset.z = RestDepth;
      if (t < kAppearing) {
        shownEnd = Proportion(count, t, kAppearing);
      } else {
        const double u = t - kAppearing;
        spin = (cruiseSpin - startSpin) * u / kSpinRamp + startSpin;
        shownEnd = count;
      }
    } else {
      shownEnd = count;
      offset = Ease(kRestPlace, start, kPhase, WrapSub(kPhase, t));
    }
  } else if (t < lifetime) {
    offset = kRestPlace;
    shownEnd = count;
    spin = cruiseSpin;
  } else {
    const int32_t u = t - lifetime;  // t >= lifetime > 0: no overflow
    if (u > kPhase) finished = true;
    if (departure == DepartureMode::Dissolve) {
      firstShown = Proportion(count, u, kPhase);
    } else {
      shownEnd = count;
      offset = Ease(kRestPlace, end, kPhase, u);
    }
  }

  angle += spin * dt;
}

void ShapeEffect::Step(const FrameView&) {
  UpdateTimeline();
  angle = {std::fmod(angle.x, kTwoPi), std::fmod(angle.y, kTwoPi), std::fmod(angle.z, kTwoPi)};
  Turn turn;
  turn.cosine = {FixedSine(Cos, angle.x), FixedSine(Cos, angle.y), FixedSine(Cos, angle.z)};
  turn.sine = {FixedSine(Sin, angle.x), FixedSine(Sin, angle.y), FixedSine(Sin, angle.z)};
  turn.offset = offset;
  turn.radius = radius;
  TurnParticles(particles.get(), firstShown, shownEnd, turn, largestModel);
}

void ShapeEffect::Draw(SurfaceLock& lock, const FrameView& view) {
  SquarePen(lock, SquareSize(lock.Width())).Visit([&](const auto plot) {
    // Copies the compiler may keep in registers: the pixel stores could alias the originals.
    const Projection project(view);
    Particle* const p = particles.get();
    const int32_t retired = firstShown;
    const int32_t shown = shownEnd;
    for (int32_t i = 0; i < retired; ++i) p[i].PlotParticle(plot, true);
    // Each particle's old square is erased shortly before its new one is drawn, a group at a
    // time, so that little flicker shows without a back buffer.
    constexpr int32_t kGroup = 10;
    for (int32_t group = retired; group < shown; group += kGroup) {
      const int32_t groupEnd = shown - group < kGroup ? shown : group + kGroup;
      for (int32_t i = group; i < groupEnd; ++i) p[i].PlotParticle(plot, true);
      for (int32_t i = group; i < groupEnd; ++i) {
        if (project(p[i])) p[i].PlotParticle(plot, false);
      }
    }
  });
}

}  // namespace orv
